#include "app/comm/OleSession.h"
#include "app/comm/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using app::comm::EndOle;
using app::comm::XmlDocument;

// Reads a reply's field with a parser made on a thread of its own, which the
// test environment never set up COM on: the parser must set it up itself.
std::wstring ReadOnFreshThread(bool endAndReadAgain) {
    std::wstring read;
    std::thread worker([&read, endAndReadAgain] {
        try {
            {
                XmlDocument document;
                document.LoadXml(L"<con><uid>42</uid></con>");
                read = document.ChildText(L"con", L"uid");
            }
            if (endAndReadAgain) {
                // After the end a later parser sets COM up anew.
                EndOle();
                XmlDocument again;
                again.LoadXml(L"<con><uid>43</uid></con>");
                read += again.ChildText(L"con", L"uid");
            }
        } catch (const std::exception&) {
            read = L"failed";
        }
    });
    worker.join();
    return read;
}

TEST(OleSession, TheXmlParserSetsUpComOnAThreadThatHadNone) {
    EXPECT_EQ(ReadOnFreshThread(false), L"42");
    EXPECT_EQ(ReadOnFreshThread(true), L"4243");
}

} // namespace
