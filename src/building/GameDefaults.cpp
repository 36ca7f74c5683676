#include "building/GameDefaults.h"

#include <array>
#include <string_view>

namespace kx::building {

namespace {

constexpr std::array<std::string_view, 34> kCopyright{
    "................................", "................@...@...@...@...",
    ".............@...@..@..@...@....", "................@.@.@.@.@.@.....",
    "@@@@@@@@......@...........@.....", "@@@@@@@@....@@......@@@....@....",
    "@@.....@.....@......@@@.....@@..", "@@.@@@@@......@.....@@@......@@.",
    "@@@@@@@@.......@....@@.....@@...", "@@@@@@@@.........@@@@@@@@@@.....",
    "@@@@@@@@..........@@@@@@........", "@@.....@..........@@@@@.........",
    "@@.@@@@@.........@@@@@@.........", "@@.....@.........@@@@@@.........",
    "@@@@@@@@.........@@@@@@.........", "@@@@@@@@.........@@@@@@@........",
    "@@@...@@.........@@@@@@@........", "@@.@@@.@.........@.....@........",
    "@@..@..@........@.......@.......", "@@@@@@@@........@.......@.......",
    "@@@@@@@@.......@........@.......", "@@..@@@@.......@........@.......",
    "@@@@..@@......@.........@.......", "@@@@.@.@......@.........@.......",
    "@@....@@........................", "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
    "@@@@@@@@@@@@@.@@@@@@@@@@@@@@@@@@", "@@.@@..@@@@@..@@@@@@@@@@.@@@@@@@",
    "@@.@.@.@@@@.@.@@@.@..@@...@@@..@", "@@..@@@@@@....@@@..@@@@@.@@@@.@@",
    "@@@@@@@@...@@.@@@.@@@@@..@@...@@", "@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@@",
    "@.copyright.(c).1997.lucasarts.@", "@@@@@@..entertainment.co..@@@@@@",
};

}  // namespace

void SetGameCopyright(level::Level& level) {
  level.copyright.count = static_cast<std::int32_t>(kCopyright.size());
  for (std::size_t i = 0; i < kCopyright.size(); ++i) {
    level.copyright[static_cast<int>(i)] = std::string(kCopyright[i]);
  }
}

level::LevelHeader GameHeader() {
  return {1, 4, 15, 100, 768, {0, 0}, {0, 0}, {1, 2, 3, 4}, {0.3f, 0.6f, 0.9f, 1.2f}, 2, 2};
}

std::vector<level::Template> PlayerTemplates(const std::string& model) {
  const std::string orient = "orient=(0.000000/0.000000/0.000000)";
  return {
      {"_actor", "none",
       orient + " type=actor collide=1 move=physics thingflags=0x20000000 mass=150.000000 "
                "physflags=0x4a4f maxrotvel=200.000000 maxvel=1.000000 health=40.00 "
                "maxhealth=40.00 maxrotthrust=180.00 jumpspeed=1.50 "
                "eyeoffset=(0.000000/0.000000/0.037000) minheadpitch=-80.00 maxheadpitch=80.00",
       -1},
      {"walkplayer", "_actor",
       "type=player thingflags=0x20000401 light=0.200000 model3d=" + model +
           " size=0.065000 movesize=0.065000 surfdrag=3.000000 airdrag=0.500000 "
           "staticdrag=0.300000 health=100.00 maxhealth=100.00 maxthrust=2.00 typeflags=0x1",
       -1},
  };
}

}  // namespace kx::building
