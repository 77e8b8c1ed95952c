#include "tools/skinpack/SkinPackCommand.h"

#include "skin/data/AnsiText.h"
#include "skin/data/SkinReader.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <utility>

#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"

namespace skinpack {

namespace {

constexpr const char* kUsage = "usage: skinpack [--version N] <output.skn> <file>...\n";

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

} // namespace

int RunSkinPack(const std::vector<std::string>& args, std::ostream& err) {
    uint32_t version = kDefaultVersion;
    size_t next = 0;
    if (next < args.size() && args[next] == "--version") {
        if (next + 1 >= args.size()) {
            err << kUsage;
            return 2;
        }
        const std::string& text = args[next + 1];
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), version);
        if (ec != std::errc() || end != text.data() + text.size() || !skin::TSkinReader::SkippedBlockSize(version)) {
            err << "skinpack: unknown package version " << text << " (20000, 30000, ..., 70000)\n";
            return 2;
        }
        next += 2;
    }
    if (args.size() - next < 2) {
        err << kUsage;
        return 2;
    }
    const std::string& output = args[next++];

    std::vector<PackageEntry> entries;
    std::set<std::string> seen;
    for (; next < args.size(); ++next) {
        PackageEntry entry{BaseName(args[next]), {}};
        if (entry.Name.empty()) {
            err << "skinpack: no file name in " << args[next] << "\n";
            return 2;
        }
        // Readers find entries by lower-case name, so names differing only in case collide.
        if (!seen.insert(skin::ansi::LowerAscii(entry.Name)).second) {
            err << "skinpack: two entries named " << entry.Name << "\n";
            return 2;
        }
        if (!ReadFile(args[next], entry.Data)) {
            err << "skinpack: cannot read " << args[next] << "\n";
            return 1;
        }
        entries.push_back(std::move(entry));
    }

    std::vector<uint8_t> skinFile;
    try {
        skinFile = MakeSkinFile(BuildPackage(version, entries));
    } catch (const std::exception& e) {
        err << "skinpack: " << e.what() << "\n";
        return 2;
    }
    if (!WriteFile(output, skinFile)) {
        err << "skinpack: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

} // namespace skinpack
