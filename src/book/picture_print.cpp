// The page is made in memory and written by the program itself rather than
// by the PDF library, whose own file calls take only narrow paths: so a
// Pictures folder with any name works on every platform, and the page is
// placed the way the images are, under a scratch name first.
#include "book/picture_print.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <hpdf.h>
#include "board/geometry.h"
#include "book/picture_export.h"
#include "picture_file/utf8_path.h"

namespace {

// The library reports a failure through this and carries on with calls that
// do nothing; the first one is what the person is told.
struct Pdf_failure {
    HPDF_STATUS error = HPDF_OK;
    HPDF_STATUS detail = 0;
};

void HPDF_STDCALL Pdf_failed(HPDF_STATUS error, HPDF_STATUS detail, void* data)
{
    auto* failure = static_cast<Pdf_failure*>(data);
    if (failure->error == HPDF_OK) {
        failure->error = error;
        failure->detail = detail;
    }
}

std::string Pdf_why(const Pdf_failure& failure)
{
    char code[64];
    std::snprintf(code, sizeof code, "the PDF library failed (error 0x%04X, %u)", static_cast<unsigned>(failure.error),
                  static_cast<unsigned>(failure.detail));
    return code;
}

struct Pdf_free {
    void operator()(HPDF_Doc doc) const { HPDF_Free(doc); }
};

void Pdf_fill(HPDF_Page page, const Print_layout& layout, const Print_box& box, Colour c)
{
    HPDF_Page_SetRGBFill(page, c.r / 255.0f, c.g / 255.0f, c.b / 255.0f);
    HPDF_Page_Rectangle(page, static_cast<HPDF_REAL>(box.x),
                        static_cast<HPDF_REAL>(layout.page_height - box.y - box.height),
                        static_cast<HPDF_REAL>(box.width), static_cast<HPDF_REAL>(box.height));
    HPDF_Page_Fill(page);
}

}  // namespace

std::string Print_pdf_make(const Picture_board& board, const std::string& title, const Paper& paper,
                           const std::string& font, std::string& pdf)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(Path_of(font), error))
        return "the font " + font + " is missing";
    Pdf_failure failure;
    std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, Pdf_free> doc(HPDF_New(Pdf_failed, &failure));
    if (!doc)
        return "out of memory";
    HPDF_SetCompressionMode(doc.get(), HPDF_COMP_ALL);
    HPDF_UseUTFEncodings(doc.get());
    HPDF_SetCurrentEncoder(doc.get(), "UTF-8");
    const char* font_name = HPDF_LoadTTFontFromFile(doc.get(), font.c_str(), HPDF_TRUE);
    HPDF_Font title_font = font_name ? HPDF_GetFont(doc.get(), font_name, "UTF-8") : nullptr;
    if (!title_font)
        return failure.error != HPDF_OK ? "the font " + font + " cannot be used: " + Pdf_why(failure)
                                        : "the font " + font + " cannot be used";
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_CREATOR, "Tintora");
    HPDF_SetInfoAttr(doc.get(), HPDF_INFO_TITLE, title.c_str());

    const Print_layout layout = Print_layout_make(paper.width, paper.height);
    HPDF_Page page = HPDF_AddPage(doc.get());
    if (!page)
        return Pdf_why(failure);
    HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(layout.page_width));
    HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(layout.page_height));

    // White first, so the page is white in a viewer that shows no paper.
    Pdf_fill(page, layout, {0, 0, layout.page_width, layout.page_height}, {255, 255, 255});
    for (const Square& square : board.squares) {
        const int i = square.x / squaresize;
        const int j = (square.y - menustrip) / squaresize;
        Pdf_fill(page, layout, Print_square_box(layout, i, j), Print_square_colour(square.c));
    }

    // A long title is set smaller until it fits its band.
    double size = layout.title_size;
    HPDF_Page_SetFontAndSize(page, title_font, static_cast<HPDF_REAL>(size));
    const double width = HPDF_Page_TextWidth(page, title.c_str());
    if (width > layout.title.width && width > 0)
        size = size * layout.title.width / width;
    HPDF_Page_SetFontAndSize(page, title_font, static_cast<HPDF_REAL>(size));
    const double set_width = HPDF_Page_TextWidth(page, title.c_str());
    HPDF_Page_SetRGBFill(page, 0, 0, 0);
    HPDF_Page_BeginText(page);
    HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(layout.title.x + (layout.title.width - set_width) / 2),
                      static_cast<HPDF_REAL>(layout.page_height - layout.title.y - layout.title_size),
                      title.c_str());
    HPDF_Page_EndText(page);

    if (failure.error != HPDF_OK || HPDF_SaveToStream(doc.get()) != HPDF_OK)
        return Pdf_why(failure);
    HPDF_ResetStream(doc.get());
    pdf.clear();
    for (;;) {
        HPDF_BYTE chunk[65536];
        HPDF_UINT32 length = sizeof chunk;
        const HPDF_STATUS status = HPDF_ReadFromStream(doc.get(), chunk, &length);
        pdf.append(reinterpret_cast<const char*>(chunk), length);
        if (status == HPDF_STREAM_EOF)
            break;
        if (status != HPDF_OK)
            return Pdf_why(failure);
    }
    return "";
}

std::string Picture_print(const Picture_entry& entry, const std::string& colouring_path, const std::string& folder,
                          const std::string& date, const Paper& paper, const std::string& font, std::string& saved,
                          std::string& note)
{
    note.clear();
    if (folder.empty())
        return "no Pictures folder is known";
    Picture_board board;
    std::string why;
    if (!Picture_board_read(entry, colouring_path, board, why))
        return why;
    note = board.kept_why;
    const std::string title = Print_title_text(board.separator, entry.name);
    std::string pdf;
    why = Print_pdf_make(board, title, paper, font, pdf);
    if (!why.empty())
        return why;

    std::error_code error;
    std::filesystem::create_directories(Path_of(folder), error);
    if (error)
        return error.message();
    const std::filesystem::path scratch = Path_of(folder) / Path_of(".tintora-printing-" + entry.name + ".pdf");
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(pdf.data(), static_cast<std::streamsize>(pdf.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(scratch, error);
            return "it could not be written in " + folder;
        }
    }
    return Export_place(Utf8_of(scratch), folder, title, date, ".pdf", saved);
}
