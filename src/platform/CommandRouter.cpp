#include "platform/CommandRouter.h"

#include "platform/CommandError.h"

#include <exception>
#include <new>
#include <string>

namespace kx::platform {

bool RunCommand(Ui& ui, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (...) {
    ShowFailure(ui, std::current_exception());
  }
  return false;
}

void ShowFailure(Ui& ui, const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const CommandError& error) {
    ui.ShowMessage(BoxKind::Error, error.FullText());
  } catch (const std::bad_alloc&) {
    ui.ShowMessage(BoxKind::Error, "Out of memory");
  } catch (const std::exception& error) {
    // Anything else that escapes a command is still no reason to lose the user's work: an
    // exception must never leave a window's event handler.
    ui.ShowMessage(BoxKind::Error, error.what());
  }
}

}  // namespace kx::platform
