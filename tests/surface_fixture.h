// A real 32-bit screen surface from SDL's dummy video driver, pixel reading,
// and a watch on SDL_Flip (wrapped at link time) for the tests.
#pragma once
#include <cstdint>
#include <functional>
#include <SDL.h>
#include <gtest/gtest.h>

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// Opens (once per test program) an 800 x 900 32-bit window on the dummy
// driver and clears it to black; resets the flip watch.
class Screen_test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    SDL_Surface* screen = nullptr;
};

Rgb Pixel_at(SDL_Surface* surface, int x, int y);

// Called after every real SDL_Flip while set; the number of flips so far.
extern std::function<void(SDL_Surface*)> flip_watch;
extern int flip_count;

std::ostream& operator<<(std::ostream& out, const Rgb& c);
