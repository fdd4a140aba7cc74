// tintora-draw, the picture maker: the painter's window, in which the left
// button draws outlines and the right one clears them, with undo, mirror,
// the region tints, the palette, the title, and saving that loses nothing.
// Start reading at main(): open the picture, then one event at a time.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <SDL.h>
#include "book/painter_run.h"
#include "draw/arguments.h"
#include "book/picture_folders.h"
#include "draw/colour_chooser.h"
#include "draw/colouring_restart.h"
#include "draw/draw_screen.h"
#include "draw/drawing.h"
#include "draw/drawing_open.h"
#include "draw/file_replace.h"
#include "draw/picture_save.h"
#include "draw/picture_write.h"
#include "draw/stroke.h"
#include "draw/pen.h"
#include "draw/text_input.h"
#include "draw/trace_image.h"
#include "main/window_open.h"
#include "picture_file/picture_name.h"
#include "picture_file/utf8_path.h"

namespace {

// What the window is doing with the person's input.
enum class Mode {
    draw,       // the board takes strokes
    chooser,    // a swatch's colour is being chosen
    name,       // a new picture's name is being typed
    title,      // the title is being typed
    question,   // a question waits for Enter, N or Escape
    notice,     // a message waits for any key or click
};

// What Enter answers in Mode::question.
enum class Question {
    unsaved,    // quitting with changes: Enter saves, N discards
    replace,    // the name is taken: Enter replaces that picture
    changes,    // the file says more than the maker shows: Enter saves anyway
    changed,    // the file changed since it was read: Enter replaces it, N takes a new name
    read_only,  // the file is read-only: N takes a new name
    colouring,  // the save starts a child's kept colouring again: Enter saves anyway
};

struct Maker {
    Drawing drawing;
    History history;
    std::string path;                   // where a save writes; empty for a new picture
    std::string name_offered;           // the name the name question starts with when the title makes none
    std::vector<std::string> changes;   // what the first save changes in an opened file
    bool dirty = false;
    Draw_look look;
    Trace_image trace;                  // --trace: the drawing to trace
    SDL_Surface* trace_view = nullptr;  // shown under the board while `look.trace` is set
    Pen pen;                            // the button drawing a stroke, if any
    Mode mode = Mode::draw;
    Question question = Question::unsaved;
    std::string typed;                  // the name or title being typed
    std::string problem;                // why the typed name or chosen colour cannot be taken
    std::string box;                    // the question or message shown
    Chooser chooser;
    bool quit_after_save = false;
    bool colouring_ok = false;          // the person has said this save may start a kept colouring again
    bool changed_ok = false;            // ... and had said before that it may replace a file changed on the disk
    bool quit = false;
    long fail_after = -1;               // the test seam: a save that fails after this many bytes
    File_seen seen;                     // the file at `path` as read or last written here
    std::string save_path;              // where the save being made or asked about writes
    File_seen save_seen;                // that file as last seen
    std::vector<std::string> environment;
    SDL_Surface* screen = nullptr;
};

// Paths are UTF-8 text here, as the book and the folders give them.
std::string Caption_of(const Maker& maker)
{
    std::string shown = maker.drawing.title;
    if (shown.find_first_not_of(' ') == std::string::npos)
        shown = maker.path.empty() ? "new picture" : Utf8_of(Path_of(maker.path).stem());
    return "Tintora drawing: " + shown;
}

void Caption_set(const Maker& maker)
{
    const std::string caption = Caption_of(maker);
    SDL_WM_SetCaption(caption.c_str(), caption.c_str());
}

void Show(Maker& maker)
{
    Drawing_show(maker.screen, maker.drawing, maker.look);
    switch (maker.mode) {
    case Mode::draw:
        break;
    case Mode::chooser:
        Chooser_show(maker.screen, maker.chooser, maker.problem);
        break;
    case Mode::name:
        Box_show(maker.screen, "Name of the new picture (letters, digits and '-'): " + maker.typed + "_\n" +
                                   (maker.problem.empty() ? "" : maker.problem + "\n") +
                                   "Enter saves it in " + Picture_folder_own() + ", Escape goes back.");
        break;
    case Mode::title:
        Box_show(maker.screen, "Title: " + maker.typed + "_\n" + (maker.problem.empty() ? "" : maker.problem + "\n") +
                                   "Enter keeps it, Escape goes back.");
        break;
    case Mode::question:
    case Mode::notice:
        Box_show(maker.screen, maker.box);
        break;
    }
}

void Ask(Maker& maker, Question question, const std::string& text)
{
    maker.mode = Mode::question;
    maker.question = question;
    maker.box = text;
    Show(maker);
}

void Tell(Maker& maker, const std::string& text)
{
    maker.mode = Mode::notice;
    maker.box = text + "\n\nClick or press a key to go on.";
    Show(maker);
}

// Back to the board, from any box: a leaving that waited for a save is
// forgotten, since the person chose to go on drawing.
void Back_to_drawing(Maker& maker)
{
    maker.mode = Mode::draw;
    maker.quit_after_save = false;
    maker.colouring_ok = false;
    maker.problem.clear();
    Show(maker);
}

// Where the book keeps the colouring of the picture at `path`, if it keeps one.
std::string Colouring_kept_for(const std::string& path)
{
    const Picture_places places{Picture_folder_own(), Picture_folder_bundled(Book_executable_folder()),
                                Colouring_folder_own()};
    return Colouring_path_of(path, places);
}

// Writes the picture to `save_path` (see Picture_save for when it may).
void Save_write(Maker& maker, bool changed_ok = false)
{
    // Asked last, just before the file is written, whichever question came
    // first: a parent may not know that the book's colouring hangs on it.
    if (!maker.colouring_ok &&
        Save_restarts_colouring(maker.save_path, Colouring_kept_for(maker.save_path), maker.drawing)) {
        maker.changed_ok = changed_ok;
        Ask(maker, Question::colouring,
            "This picture has been coloured in the book. Saving the change starts that colouring again.\n"
            "Enter saves, Escape goes back.");
        return;
    }
    const std::string bytes = Picture_text_make(maker.drawing, Text_line_end());
    const Save_result saved = Picture_save(maker.save_path, bytes, maker.save_seen, changed_ok, maker.fail_after);
    if (saved.outcome == Save_outcome::changed) {
        Ask(maker, Question::changed,
            saved.why + "\nEnter replaces it with this picture, N saves this picture under a new name, "
                        "Escape goes back.");
        return;
    }
    if (saved.outcome == Save_outcome::read_only) {
        Ask(maker, Question::read_only, saved.why + "\nN saves this picture under a new name, Escape goes back.");
        return;
    }
    if (saved.outcome == Save_outcome::failed) {
        maker.quit_after_save = false;
        Tell(maker, "Not saved: " + saved.why + ".\nThe picture is still here, and the file as it was.");
        return;
    }
    maker.path = maker.save_path;
    maker.seen = maker.save_seen;
    maker.colouring_ok = false;
    maker.dirty = false;
    maker.changes.clear();
    Caption_set(maker);
    if (maker.quit_after_save) {
        maker.quit = true;
        return;
    }
    Back_to_drawing(maker);
}

// The name box, for saving this picture as another file.
void Name_ask(Maker& maker, const std::string& offered)
{
    maker.mode = Mode::name;
    maker.typed = offered;
    maker.problem.clear();
    Show(maker);
}

// A save: a new picture first gets a name, an opened file that said more
// than the maker shows is told what it will lose, then the file is written.
void Save_start(Maker& maker)
{
    if (maker.path.empty()) {
        maker.mode = Mode::name;
        maker.typed = Picture_name_offer(maker.drawing.title, maker.name_offered);
        maker.problem.clear();
        Show(maker);
        return;
    }
    maker.save_path = maker.path;
    maker.save_seen = maker.seen;
    maker.colouring_ok = false;
    if (!maker.changes.empty()) {
        std::string text = "Saving writes the file as the painter shows it, which changes it:\n";
        for (std::size_t k = 0; k < maker.changes.size() && k < 8; ++k)
            text += maker.changes[k] + "\n";
        if (maker.changes.size() > 8)
            text += "and " + std::to_string(maker.changes.size() - 8) + " more lines.\n";
        text += "Enter saves, Escape goes back and leaves the file as it is.";
        Ask(maker, Question::changes, text);
        return;
    }
    Save_write(maker);
}

void Name_enter(Maker& maker)
{
    maker.problem = Picture_name_problem(maker.typed);
    const std::string folder = Picture_folder_own();
    if (maker.problem.empty() && folder.empty())
        maker.problem = "there is no pictures folder: neither a home folder nor a data folder is known";
    std::error_code error;
    if (maker.problem.empty() && !std::filesystem::create_directories(Path_of(folder), error) && error)
        maker.problem = "cannot make the folder " + folder + ": " + error.message();
    if (!maker.problem.empty()) {
        Show(maker);
        return;
    }
    const std::string path = Utf8_of(Path_of(folder) / Path_of(maker.typed + ".txt"));
    maker.save_path = path;
    maker.save_seen = File_look(path);
    maker.colouring_ok = false;
    if (File_exists(path)) {
        Ask(maker, Question::replace,
            "A picture named " + maker.typed + " is already in " + folder +
                ".\nEnter replaces it with this one, Escape goes back.");
        return;
    }
    Save_write(maker);
}

void Question_answer(Maker& maker, SDLKey key)
{
    const bool yes = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    if (key == SDLK_ESCAPE) {
        Back_to_drawing(maker);
    } else if (maker.question == Question::unsaved && key == SDLK_n) {
        maker.quit = true;
    } else if (yes && maker.question == Question::unsaved) {
        maker.quit_after_save = true;
        Save_start(maker);
    } else if (yes && maker.question == Question::replace) {
        Save_write(maker);
    } else if (yes && maker.question == Question::changes) {
        Save_write(maker);
    } else if (yes && maker.question == Question::changed) {
        Save_write(maker, true);
    } else if (yes && maker.question == Question::colouring) {
        maker.colouring_ok = true;
        Save_write(maker, maker.changed_ok);
    } else if (key == SDLK_n && (maker.question == Question::changed || maker.question == Question::read_only)) {
        Name_ask(maker, Utf8_of(Path_of(maker.save_path).stem()));
    }
}

void Quit_ask(Maker& maker)
{
    if (!maker.dirty) {
        maker.quit = true;
        return;
    }
    Ask(maker, Question::unsaved,
        "Save the changes to this picture?\nEnter saves, N throws them away, Escape goes back to drawing.");
}

void Edit_shown(Maker& maker, const Edit* edit)
{
    if (!edit)
        return;
    maker.dirty = true;
    if (!edit->colours.empty())
        Toolbar_show(maker.screen, maker.drawing);
    if (edit->title)
        Caption_set(maker);
    std::vector<Square_place> changed;
    for (const Square_change& s : edit->squares)
        changed.push_back({s.i, s.j});
    Drawing_show_changed(maker.screen, maker.drawing, maker.look, changed);
}

void Edit_done(Maker& maker, Edit edit)
{
    if (Edit_empty(edit))
        return;
    History_add(maker.history, std::move(edit));
    maker.dirty = true;
}

// "Try it": the painter on the drawing as it stands, from a copy in a
// folder of its own, while the maker's window is closed (as the book does).
void Try_it(Maker& maker)
{
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path(error) / ("tintora-draw-" + std::to_string(SDL_GetTicks()));
    std::filesystem::create_directories(folder, error);
    const std::string saved = error ? error.message()
                                    : File_replace(Utf8_of(folder / "drawing.txt"),
                                                   Picture_text_make(maker.drawing, Text_line_end()));
    if (!saved.empty()) {
        Tell(maker, "Cannot try the picture: " + saved);
        return;
    }
    const std::string painter = Utf8_of(Path_of(Book_executable_folder()) / Painter_file_name());
    SDL_Quit();
    std::fflush(stdout);
    const Painter_outcome outcome = Painter_run(painter, "drawing", Utf8_of(folder), maker.environment);
    std::filesystem::remove_all(folder, error);
    maker.screen = Window_open(WIDTH, HEIGHT);
    if (!maker.screen)
        return;
    SDL_EnableUNICODE(1);
    Caption_set(maker);
    const std::string message = Painter_outcome_message(outcome, painter);
    if (!message.empty())
        Tell(maker, message);
    else
        Show(maker);
}

// A stroke changes the drawing as it goes, before it is in the history.
void Stroke_shown(Maker& maker, const std::vector<Square_place>& changed)
{
    if (changed.empty())
        return;
    maker.dirty = true;
    Drawing_show_changed(maker.screen, maker.drawing, maker.look, changed);
}

void Press(Maker& maker, const SDL_MouseButtonEvent& press)
{
    if (maker.mode == Mode::notice) {
        Back_to_drawing(maker);
        return;
    }
    if (maker.mode == Mode::chooser) {
        if (press.button == SDL_BUTTON_LEFT && press.y > menustrip && Chooser_click(maker.chooser, press.x, press.y)) {
            maker.problem = Colour_problem(maker.drawing.colours, maker.chooser.k, maker.chooser.c);
            maker.drawing.colours[static_cast<std::size_t>(maker.chooser.k)] = maker.chooser.c;
            Toolbar_show(maker.screen, maker.drawing);
            Chooser_show(maker.screen, maker.chooser, maker.problem);
        }
        return;
    }
    if (maker.mode != Mode::draw || (press.button != SDL_BUTTON_LEFT && press.button != SDL_BUTTON_RIGHT))
        return;
    if (maker.pen.button != 0 && press.button != maker.pen.button)
        return;   // the stroke in progress keeps the pointer until its button is released
    if (press.y <= menustrip) {
        if (press.button != SDL_BUTTON_LEFT)
            return;
        const int k = std::min(press.x / menustrip, colourcount - 1);
        maker.chooser = Chooser_open(k, maker.drawing.colours[static_cast<std::size_t>(k)]);
        maker.mode = Mode::chooser;
        maker.problem.clear();
        Show(maker);
        return;
    }
    const Colour c = press.button == SDL_BUTTON_LEFT ? bordercolour : defaultcolour;
    Stroke_shown(maker, Pen_press(maker.pen, maker.drawing, maker.history, press.button, c,
                                  Board_square_at(press.x, press.y), maker.look.mirror));
}

void Motion(Maker& maker, const SDL_MouseMotionEvent& motion)
{
    const bool straight = (SDL_GetModState() & KMOD_SHIFT) != 0;
    Stroke_shown(maker, Pen_move(maker.pen, maker.drawing, Board_square_at(motion.x, motion.y), straight));
}

void Release(Maker& maker, const SDL_MouseButtonEvent& release)
{
    const bool straight = (SDL_GetModState() & KMOD_SHIFT) != 0;
    Stroke_shown(maker, Pen_release(maker.pen, maker.drawing, maker.history, release.button,
                                    Board_square_at(release.x, release.y), straight));
}

void Chooser_close(Maker& maker, bool keep)
{
    Chooser& chooser = maker.chooser;
    const std::size_t k = static_cast<std::size_t>(chooser.k);
    if (keep) {
        maker.problem = Colour_problem(maker.drawing.colours, chooser.k, chooser.c);
        if (!maker.problem.empty()) {
            Chooser_show(maker.screen, chooser, maker.problem);
            return;
        }
        Edit edit;
        if (!Colour_cmp(chooser.before, chooser.c))
            edit.colours.push_back({chooser.k, chooser.before, chooser.c});
        Edit_done(maker, std::move(edit));
    } else {
        maker.drawing.colours[k] = chooser.before;
    }
    Back_to_drawing(maker);
}

void Key_text(Maker& maker, const SDL_keysym& key)
{
    if (key.sym == SDLK_ESCAPE) {
        Back_to_drawing(maker);
        return;
    }
    if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
        if (maker.mode == Mode::name) {
            Name_enter(maker);
            return;
        }
        Drawing titled = maker.drawing;
        titled.title = maker.typed;
        if (const auto warnings = Drawing_warnings(titled); !warnings.empty()) {
            maker.problem = "tintora-check would say: " + warnings.front();
            Show(maker);
            return;
        }
        Edit edit;
        if (maker.typed != maker.drawing.title) {
            edit.title = Title_change{maker.drawing.title, maker.typed};
            maker.drawing.title = maker.typed;
        }
        Edit_done(maker, std::move(edit));
        Caption_set(maker);
        Back_to_drawing(maker);
        return;
    }
    if (key.sym == SDLK_BACKSPACE)
        Text_erase_last(maker.typed);
    else if (!Text_type(maker.typed, key.unicode))
        return;
    maker.problem.clear();
    Show(maker);
}

void Key(Maker& maker, const SDL_keysym& key)
{
    switch (maker.mode) {
    case Mode::notice:
        Back_to_drawing(maker);
        return;
    case Mode::question:
        Question_answer(maker, key.sym);
        return;
    case Mode::name:
    case Mode::title:
        Key_text(maker, key);
        return;
    case Mode::chooser:
        if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER || key.sym == SDLK_ESCAPE) {
            Chooser_close(maker, key.sym != SDLK_ESCAPE);
            return;
        }
        if (key.sym == SDLK_UP || key.sym == SDLK_DOWN)
            maker.chooser.component = (maker.chooser.component + (key.sym == SDLK_UP ? 2 : 1)) % 3;
        else if (key.sym == SDLK_LEFT || key.sym == SDLK_RIGHT)
            Chooser_step(maker.chooser, key.sym == SDLK_LEFT ? -1 : 1);
        else
            return;
        maker.problem = Colour_problem(maker.drawing.colours, maker.chooser.k, maker.chooser.c);
        maker.drawing.colours[static_cast<std::size_t>(maker.chooser.k)] = maker.chooser.c;
        Toolbar_show(maker.screen, maker.drawing);
        Chooser_show(maker.screen, maker.chooser, maker.problem);
        return;
    case Mode::draw:
        break;
    }
    if (maker.pen.button != 0)
        return;   // keys wait until the stroke is done
    const bool control = (key.mod & KMOD_CTRL) != 0;
    if (control && key.sym == SDLK_z) {
        Edit_shown(maker, History_undo(maker.history, maker.drawing));
    } else if (control && key.sym == SDLK_y) {
        Edit_shown(maker, History_redo(maker.history, maker.drawing));
    } else if (control && key.sym == SDLK_s) {
        Save_start(maker);
    } else if (key.sym == SDLK_ESCAPE) {
        Quit_ask(maker);
    } else if (key.sym == SDLK_m) {
        maker.look.mirror = !maker.look.mirror;
        Show(maker);
    } else if (key.sym == SDLK_r) {
        maker.look.regions = !maker.look.regions;
        Show(maker);
    } else if (key.sym == SDLK_t) {
        maker.mode = Mode::title;
        maker.typed = maker.drawing.title;
        Show(maker);
    } else if (key.sym == SDLK_p) {
        Try_it(maker);
    } else if (key.sym == SDLK_i && maker.trace_view) {
        maker.look.trace = maker.look.trace ? nullptr : maker.trace_view;
        Show(maker);
    } else if (key.sym == SDLK_o && maker.trace_view) {
        Edit edit = Trace_outline_propose(maker.drawing, maker.trace);
        std::vector<Square_place> changed;
        for (const Square_change& s : edit.squares)
            changed.push_back({s.i, s.j});
        Drawing_show_changed(maker.screen, maker.drawing, maker.look, changed);
        Edit_done(maker, std::move(edit));
    }
}

struct Arguments {
    std::string file;
    std::string trace;   // --trace IMAGE.png
    bool copy = false;   // --copy-of: open the file, save as a new picture
    bool ok = true;
};

Arguments Arguments_read(const std::vector<std::string>& words)
{
    Arguments arguments;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const std::string& word = words[k];
        if (word == "--trace" && k + 1 < words.size() && arguments.trace.empty()) {
            arguments.trace = words[++k];
        } else if (word == "--copy-of" && k + 1 < words.size() && arguments.file.empty()) {
            arguments.copy = true;
            arguments.file = words[++k];
        } else if (!word.empty() && word[0] != '-' && arguments.file.empty()) {
            arguments.file = word;
        } else {
            arguments.ok = false;
        }
    }
    return arguments;
}

}  // namespace

int main(int argc, char* argv[])
{
    const Arguments arguments = Arguments_read(Arguments_utf8(argc, argv));
    if (!arguments.ok) {
        std::fputs("usage: tintora-draw [--trace IMAGE.png] [FILE.txt]\n"
                   "       tintora-draw [--trace IMAGE.png] --copy-of FILE.txt\n",
                   stderr);
        return 2;
    }
    Maker maker;
    maker.drawing = Drawing_new();
    if (!arguments.file.empty()) {
        Drawing_opened opened = Drawing_open(arguments.file);
        if (!opened.why.empty()) {
            std::fputs(opened.why.c_str(), stderr);
            return 2;
        }
        maker.drawing = opened.drawing;
        maker.changes = opened.changes;
        maker.seen = opened.seen;
        if (arguments.copy)
            maker.name_offered = Utf8_of(Path_of(arguments.file).stem());
        else
            maker.path = arguments.file;
    }
    if (!arguments.trace.empty()) {
        std::string why;
        maker.trace = Trace_image_load(arguments.trace, why);
        if (!why.empty()) {
            std::fputs(("Tintora drawing: " + why + "\n").c_str(), stderr);
            return 2;
        }
    }
    if (const char* fail = std::getenv("TINTORA_DRAW_FAIL_AFTER"))
        maker.fail_after = std::atol(fail);
    // Before the window opens: opening it sets SDL variables of its own.
    maker.environment = Environment_capture();

    maker.screen = Window_open(WIDTH, HEIGHT);
    if (!maker.screen) {
        std::fputs("Tintora drawing: no display could be reached\n", stderr);
        SDL_Quit();
        return 1;
    }
    SDL_EnableUNICODE(1);
    if (!maker.trace.grey.empty())
        maker.look.trace = maker.trace_view = Trace_view_create(maker.trace);
    Caption_set(maker);
    Show(maker);

    SDL_Event event;
    while (!maker.quit && maker.screen && SDL_WaitEvent(&event)) {
        switch (event.type) {
        case SDL_MOUSEBUTTONDOWN: Press(maker, event.button); break;
        case SDL_MOUSEMOTION: Motion(maker, event.motion); break;
        case SDL_MOUSEBUTTONUP: Release(maker, event.button); break;
        case SDL_KEYDOWN: Key(maker, event.key.keysym); break;
        case SDL_QUIT:
            Pen_end(maker.pen, maker.history);
            if (maker.mode == Mode::draw)
                Quit_ask(maker);
            else if (maker.mode == Mode::chooser)
                Chooser_close(maker, false), Quit_ask(maker);
            else if (maker.mode != Mode::question)
                Back_to_drawing(maker), Quit_ask(maker);
            break;
        case SDL_VIDEOEXPOSE: Show(maker); break;
        default: break;
        }
    }
    const bool window_lost = !maker.screen;
    if (maker.trace_view)
        SDL_FreeSurface(maker.trace_view);
    SDL_Quit();
    if (window_lost) {
        std::fputs("Tintora drawing: no display could be reached\n", stderr);
        return 1;
    }
    return 0;
}
