// The global atom table of the logon session is finite and shared by every
// program in it: a start and end of Vocara must leave it as it found it.

#include "tests/e2e/VocaraProcess.h"

#include "tests/e2e/ServiceStandIn.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

using e2e::Sandbox;
using e2e::Service;
using e2e::VocaraProcess;

// Every string atom of the global table (they live in 0xC000-0xFFFF) with its name.
std::map<ATOM, std::wstring> GlobalAtoms() {
    std::map<ATOM, std::wstring> atoms;
    for (unsigned value = 0xC000; value <= 0xFFFF; ++value) {
        wchar_t name[256] = {};
        const UINT length = GlobalGetAtomNameW(ATOM(value), name, 256);
        if (length > 0) {
            atoms.emplace(ATOM(value), std::wstring(name, length));
        }
    }
    return atoms;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? char(c) : '?';
    }
    return out;
}

// Starts the program, waits for its login window and closes it.
void RunToTheLoginWindowAndClose(const Sandbox& sandbox) {
    VocaraProcess vocara(sandbox);
    const HWND window = vocara.WaitForLoginWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(vocara.WaitForExit(30000), 0u);
}

TEST(GlobalAtomTable, IsTheSameAfterTheProgramRanToItsLoginWindowAndEnded) {
    Service("/__test/reset");
    Sandbox sandbox;
    // The first program started in this Wine session makes Wine register
    // atoms of its own (window messages, clipboard formats) that stay for the
    // session: a run before the first count keeps them out of the comparison.
    RunToTheLoginWindowAndClose(sandbox);
    const std::map<ATOM, std::wstring> before = GlobalAtoms();

    RunToTheLoginWindowAndClose(sandbox);
    const std::map<ATOM, std::wstring> after = GlobalAtoms();

    std::ostringstream added;
    std::ostringstream removed;
    for (const auto& [atom, name] : after) {
        if (!before.contains(atom) || before.at(atom) != name) {
            added << " 0x" << std::hex << atom << " \"" << Narrow(name) << "\"";
        }
    }
    for (const auto& [atom, name] : before) {
        if (!after.contains(atom)) {
            removed << " 0x" << std::hex << atom << " \"" << Narrow(name) << "\"";
        }
    }
    EXPECT_EQ(added.str(), "") << "atoms left behind by the program";
    EXPECT_EQ(removed.str(), "") << "atoms gone that were there before";
    EXPECT_EQ(after.size(), before.size());
    Service("/__test/reset");
}

} // namespace
