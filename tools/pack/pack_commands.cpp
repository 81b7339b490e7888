#include "pack_commands.h"

#include <ostream>

#include "gamelib/libman.h"
#include "lib_writer.h"
#include "platform/files.h"

namespace {

constexpr const char* kUsage =
    "usage: rockpile-pack create OUT.lib DIR     pack every file under DIR\n"
    "       rockpile-pack list LIB               one line per entry: name, offset, length\n"
    "       rockpile-pack extract LIB NAME [OUT] an entry's bytes to OUT or standard output\n"
    "       rockpile-pack check LIB              validate the table\n";

int Fail(std::ostream& err, const std::string& subject, const std::string& problem) {
    err << "rockpile-pack: " << subject << ": " << problem << "\n";
    return 1;
}

// Opens the library the way the game does, without ending the program.
bool OpenLibrary(TGameLib& lib, std::ostream& err) {
    useGameLib = 1;
    std::string problem;
    if (lib.TryOpen(&problem)) return true;
    Fail(err, lib.libraryPath, problem);
    return false;
}

// Entries a lookup can never return: an earlier name matches them.
void WarnShadowedNames(const std::vector<LibrarySource>& sources, std::ostream& err) {
    for (size_t j = 0; j < sources.size(); ++j)
        for (size_t i = 0; i < j; ++i)
            if (LibNamesMatch(sources[i].name.c_str(), sources[j].name.c_str())) {
                err << "rockpile-pack: warning: \"" << sources[j].name << "\" is hidden by \"" << sources[i].name
                    << "\" (names are looked up without regard to case)\n";
                break;
            }
}

}  // namespace

int PackCreate(const std::string& outPath, const std::string& dir, std::ostream& err) {
    std::vector<LibrarySource> sources;
    std::string error;
    if (!CollectLibrarySources(dir, sources, error)) return Fail(err, dir, error);
    if (!WriteLibrary(outPath, sources, error)) return Fail(err, outPath, error);
    WarnShadowedNames(sources, err);
    return 0;
}

int PackList(const std::string& libPath, std::ostream& out, std::ostream& err) {
    TGameLib lib(libPath.c_str(), nullptr);
    if (!OpenLibrary(lib, err)) return 1;
    for (int i = 0; i < lib.NumEntries(); ++i) {
        const TLibEntry* entry = lib.Entry(i);
        out << entry->name << '\t' << entry->offset << '\t' << entry->length << '\n';
    }
    return 0;
}

int PackExtract(const std::string& libPath, const std::string& name, const std::string& outPath, std::ostream& out,
                std::ostream& err) {
    TGameLib lib(libPath.c_str(), nullptr);
    if (!OpenLibrary(lib, err)) return 1;
    const TLibEntry* entry = lib.GetFile(name.c_str());
    if (!entry) return Fail(err, libPath, "no entry named \"" + name + "\"");
    if (outPath.empty()) {
        out.write(reinterpret_cast<const char*>(entry->data), entry->length);
        out.flush();
        return out ? 0 : Fail(err, libPath, "cannot write to standard output");
    }
    auto write = [entry](int fd, std::string* error) {
        if (WriteAll(fd, entry->data, entry->length)) return true;
        *error = "cannot write";
        return false;
    };
    std::string error;
    if (!AtomicWriteFileWith(outPath, write, &error, 0644)) return Fail(err, outPath, error);
    return 0;
}

int PackCheck(const std::string& libPath, std::ostream& out, std::ostream& err) {
    TGameLib lib(libPath.c_str(), nullptr);
    if (!OpenLibrary(lib, err)) return 1;
    out << libPath << ": " << lib.NumEntries() << " entries, no problems found\n";
    return 0;
}

int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string command = args.empty() ? "" : args[0];
    const size_t count = args.size();
    if ((command == "--help" || command == "-h") && count == 1) {
        out << kUsage;
        return 0;
    }
    if (command == "create" && count == 3) return PackCreate(args[1], args[2], err);
    if (command == "list" && count == 2) return PackList(args[1], out, err);
    if (command == "extract" && (count == 3 || count == 4))
        return PackExtract(args[1], args[2], count == 4 ? args[3] : "", out, err);
    if (command == "check" && count == 2) return PackCheck(args[1], out, err);
    err << kUsage;
    return 2;
}
