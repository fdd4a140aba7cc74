// Saving a picture over a file, and the rule for when a file may be
// replaced at all.
#include "draw/picture_save.h"
#include <filesystem>
#include "picture_file/text_stream.h"
#include "picture_file/utf8_path.h"

namespace {

// The file a chain of symbolic links at `path` ends in (the link may name a
// file not yet made); `path` itself when it is no link. A loop is left to the
// look at the file, which then fails and says so.
std::string Link_target(const std::string& path)
{
    std::error_code error;
    std::filesystem::path at = std::filesystem::absolute(Path_of(path), error);   // named in full in messages
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(at, error); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return Utf8_of(at.lexically_normal());
}

// Whether anyone has written the file since `seen`. A file that has gone
// meanwhile has no work in it to lose: the save makes it again.
bool File_changed(const File_seen& seen, const File_seen& now)
{
    if (!now.exists)
        return false;
    return !seen.exists || now.size != seen.size || now.time != seen.time || now.bytes != seen.bytes;
}

}  // namespace

// The one function that writes a picture over a file. The rule, and why:
// - The new text goes to a new file in the same folder, forced to the disk,
//   then renamed over the old one in one step (File_write): a crash, a full
//   disk or a folder that has become read-only leaves the old file whole.
// - A symbolic link is followed to the file it names, and that file is
//   replaced in its own folder: the link stays a link, and the file it names
//   (perhaps in a shared folder) is the one that changes. A rename beside the
//   link would turn the link into a plain file and leave its target old.
// - The file is looked at again first: its size, time and bytes. If it is no
//   longer what the maker read or last wrote, someone else has written it (a
//   text editor, another maker on the same file), and replacing it would lose
//   their work without a word: the person is asked (`changed_ok` is their
//   yes). A file that appears where there was none counts the same up to the
//   last moment: the rename itself then refuses to replace it.
// - A read-only file is not replaced: whoever made it read-only meant it to
//   stay, and a rename in a writable folder would replace it all the same
//   (as root, any file). It is judged by its mode or its read-only attribute,
//   not by whether this process could write it.
// - The new file keeps the old one's mode (on Windows, its attributes): a
//   private picture stays private, a shared one shared.
Save_result Picture_save(const std::string& path, std::string_view bytes, File_seen& seen, bool changed_ok,
                         long fail_after)
{
    Save_result result;
    result.file = Link_target(path);
    const File_seen now = File_look(result.file);
    if (!now.why.empty()) {
        result.outcome = Save_outcome::failed;
        result.why = "cannot look at " + result.file + ": " + now.why;
        return result;
    }
    const std::string appeared = "A file " + result.file + " has appeared since this name was chosen.";
    if (!changed_ok && File_changed(seen, now)) {
        result.outcome = Save_outcome::changed;
        result.why = seen.exists ? result.file + " has changed since the maker last read or saved it: another "
                                                 "program or window has written to it."
                                 : appeared;
        return result;
    }
    if (now.exists && now.read_only) {
        result.outcome = Save_outcome::read_only;
        result.why = result.file + " is read-only, so the maker does not replace it.";
        return result;
    }
    const File_written written = File_write(result.file, bytes, !now.exists, fail_after);
    if (written.taken) {
        result.outcome = Save_outcome::changed;
        result.why = appeared;
        return result;
    }
    if (!written.why.empty()) {
        result.outcome = Save_outcome::failed;
        result.why = written.why;
        return result;
    }
    // What was written, whatever a look now would find: a write by another
    // in this very moment then shows as a change at the next save.
    seen = File_look(result.file);
    seen.exists = true;
    seen.size = bytes.size();
    seen.bytes = std::string(bytes.substr(0, text_limit + 1));
    return result;
}
