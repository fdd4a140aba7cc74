// Tintora's main routine: open the window, build the board, read the
// picture named after the program, show it, then handle one event at a time
// until Escape or a close request. Start reading here.
#include <array>
#include <cstdio>
#include <SDL.h>
#include "board/geometry.h"
#include "board/square.h"
#include "board/toolbar.h"
#include "main/colouring_keep.h"
#include "main/event_wait.h"
#include "main/pointer_input.h"
#include "main/program_path.h"
#include "main/window_open.h"
#include "picture_file/exename.h"
#include "picture_file/file_read.h"

int main(int argc, char* argv[])
{
    std::array<Square, squarecount * squarecount> squares{};
    std::array<Colour, colourcount> colours{};
    std::array<Toolbaritem, colourcount> toolbar{};

    SDL_Surface* screen = Window_open(WIDTH, HEIGHT);
    if (!screen) {
        std::fputs("OMG NO WINDOW\n", stderr);
        SDL_Quit();
        return 1;
    }
    SDL_WM_SetCaption("Tintora", "Tintora");
    Event_overflow_keep();

    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    if (!File_read(squarecount, squares, colourcount, colours, bordercolour, Program_path(argc, argv).c_str())) {
        SDL_Quit();
        freethis = std::string();
        return 2;
    }
    Toolbar_create(colourcount, toolbar, colours, menustrip);
    Colour mousecolour = toolbar[0].c;
    Colouring_keep keep = Colouring_keep_start(squares, colours, mousecolour);

    Toolbar_draw(screen, colourcount, toolbar, menustrip, mousecolour);
    Squares_draw(screen, squarecount, squares, squaresize);
    SDL_Flip(screen);

    short quit = 0;
    int i = 0;
    int j = 0;
    SDL_Event event;
    while (!quit && Event_wait(event)) {
        switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
            Pointer_press(screen, event.button.x, event.button.y, squares, toolbar, mousecolour, i, j);
            Colouring_keep_write(keep, squares, colours, mousecolour);
            break;
        case SDL_QUIT:
            quit = 1;
            break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_ESCAPE)
                quit = 1;
            break;
        default:
            break;
        }
    }

    Colouring_keep_end(keep, squares, colours, mousecolour);
    SDL_Quit();
    freethis = std::string();
    return 0;
}
