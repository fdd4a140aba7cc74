// Names as Windows judges them, in-process under Windows (or Wine): the
// device names refused whatever folder stands before them, stream names,
// one file under two spellings, and a picture listed whatever the case of
// its extension.
#include <windows.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <gtest/gtest.h>
#include "book/picture_list.h"
#include "check/file_names.h"
#include "picture_file/file_name_windows.h"
#include "picture_file/file_open.h"

namespace {

std::vector<std::wstring> Reserved_names()
{
    std::vector<std::wstring> names{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* stem : {L"COM", L"LPT"}) {
        for (wchar_t digit = L'0'; digit <= L'9'; ++digit)
            names.push_back(std::wstring(stem) + digit);
        for (wchar_t digit : {L'\u00B9', L'\u00B2', L'\u00B3'})
            names.push_back(std::wstring(stem) + digit);
    }
    return names;
}

TEST(Device_name, EveryReservedNameWithAFolderInFrontAnyCaseAndExtension)
{
    const std::wstring fronts[] = {L"", L".\\", L"..\\pics\\", L"Z:\\pics\\", L"Z:", L"pics/", L"\\\\server\\share\\"};
    const std::wstring ends[] = {L"", L".txt", L" .txt", L"  .TXT", L".tar.gz", L"."};
    for (const std::wstring& name : Reserved_names())
        for (const std::wstring& front : fronts)
            for (const std::wstring& end : ends) {
                std::wstring lower = name;
                for (wchar_t& c : lower)
                    c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
                EXPECT_TRUE(Device_name(front + name + end)) << std::filesystem::path(front + name + end).string();
                EXPECT_TRUE(Device_name(front + lower + end)) << std::filesystem::path(front + lower + end).string();
            }
    for (const wchar_t* ordinary : {L"COM10.txt", L"LPT.txt", L"CONSOLE.txt", L"NULL.txt", L"xNUL.txt", L"COM\u2074.txt",
                                    L"NUL\\owl.txt", L"pics\\CON\\owl.txt", L"owl.txt", L"C:\\AUX folder\\cat.txt"})
        EXPECT_FALSE(Device_name(ordinary)) << std::filesystem::path(ordinary).string();
}

TEST(Stream_name, AColonPastTheDriveIsNeverAPictureFile)
{
    for (const wchar_t* stream : {L"owl.txt:hidden", L"NUL:stream", L"nul:.txt", L"Z:\\pics\\owl.txt:x", L"owl.txt::$DATA"})
        EXPECT_TRUE(Stream_name(stream) || Device_name(stream)) << std::filesystem::path(stream).string();
    for (const wchar_t* plain : {L"Z:\\pics\\owl.txt", L"c:owl.txt", L"owl.txt"})
        EXPECT_FALSE(Stream_name(plain)) << std::filesystem::path(plain).string();
}

TEST(Picture_file, DevicesAndStreamsAreRefusedBeforeAnythingIsOpened)
{
    std::string stored;
    for (const char* device : {"Z:\\pics\\CON.txt", ".\\NUL.txt", "..\\pics\\com1.txt", "CONIN$"})
        EXPECT_EQ(Picture_file_bytes(device, stored), "it is a device, not a picture file") << device;
    EXPECT_EQ(Picture_file_bytes("owl.txt:hidden", stored),
              "a ':' in its name names a stream of another file, not a picture file");
}

class Names_folder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("tintora-names-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder / "sub");
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string Utf8(const std::filesystem::path& path)
    {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
    std::filesystem::path folder;
};

TEST_F(Names_folder, OneFileUnderTwoSpellingsIsTheSameFile)
{
    std::ofstream(folder / L"\u043A\u043E\u0448\u043A\u0430.txt") << "x";
    std::ofstream(folder / L"other.txt") << "x";
    const std::string file = Utf8(folder / L"\u043A\u043E\u0448\u043A\u0430.txt");
    EXPECT_TRUE(File_same(file, Utf8(folder / "sub" / ".." / L"\u043A\u043E\u0448\u043A\u0430.TXT")));
    EXPECT_FALSE(File_same(file, Utf8(folder / "other.txt")));
    EXPECT_FALSE(File_same(file, Utf8(folder / "missing.png")));
}

TEST(Picture_name, TheExtensionIsComparedAsWindowsComparesNames)
{
    EXPECT_EQ(Picture_name_of("Owl.TXT"), "Owl");
    EXPECT_EQ(Picture_name_of("owl.Txt"), "owl");
    EXPECT_EQ(Picture_name_of("owl.txt"), "owl");
    EXPECT_EQ(Picture_name_of("owl.text"), "");
}

}  // namespace
