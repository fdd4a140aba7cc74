// The SDL settings the program leaves in place when it opens its window. On
// X11 it asks the SDL 1.2 layer over SDL2 for shared-memory presentation (a
// fill there takes about a second and a half rather than ten); it never
// overrides a value the user set, an empty one included, and takes its own
// back when X11 gives no window, so that the next driver gets SDL's choice.
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>
#include <SDL.h>
#include <gtest/gtest.h>
#include "main/window_open.h"

namespace {

constexpr const char* watched[] = {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "SDL_RENDER_DRIVER",
                                   "SDL_FRAMEBUFFER_ACCELERATION"};
constexpr const char* no_display = ":4999";   // no X server there

struct Setting_case {
    const char* title;
    std::vector<std::pair<const char*, const char*>> before;   // everything else in watched is unset
    bool opens;
    std::optional<std::string> render_after;        // SDL_RENDER_DRIVER afterwards, nullopt: unset
    std::optional<std::string> framebuffer_after;   // SDL_FRAMEBUFFER_ACCELERATION afterwards
};

void PrintTo(const Setting_case& c, std::ostream* out)
{
    *out << c.title;
}

std::optional<std::string> Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

class Window_open_settings : public ::testing::TestWithParam<Setting_case> {
protected:
    void SetUp() override
    {
        for (const char* name : watched) {
            saved.emplace_back(name, Variable(name));
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        SDL_Quit();
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_P(Window_open_settings, LeavesTheUsersValuesAndItsOwnOnlyForX11)
{
    const Setting_case& c = GetParam();
    for (const auto& [name, value] : c.before)
        setenv(name, value, 1);
    SDL_Surface* screen = Window_open(800, 900);
    EXPECT_EQ(screen != nullptr, c.opens);
    EXPECT_EQ(Variable("SDL_RENDER_DRIVER"), c.render_after);
    EXPECT_EQ(Variable("SDL_FRAMEBUFFER_ACCELERATION"), c.framebuffer_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Window_open_settings,
    ::testing::Values(
        Setting_case{"ProgramTriesX11AndGetsNoWindow", {{"DISPLAY", no_display}}, false, std::nullopt, std::nullopt},
        Setting_case{"UserAsksForX11",
                     {{"SDL_VIDEODRIVER", "x11"}, {"DISPLAY", no_display}},
                     false,
                     "software",
                     "0"},
        Setting_case{"UsersValuesWinEvenEmpty",
                     {{"SDL_VIDEODRIVER", "x11"},
                      {"DISPLAY", no_display},
                      {"SDL_RENDER_DRIVER", "opengl"},
                      {"SDL_FRAMEBUFFER_ACCELERATION", ""}},
                     false,
                     "opengl",
                     ""},
        Setting_case{"OtherDriverLeftAlone", {{"SDL_VIDEODRIVER", "dummy"}}, true, std::nullopt, std::nullopt}),
    [](const ::testing::TestParamInfo<Setting_case>& info) { return std::string(info.param.title); });

}  // namespace
