#pragma once
// Test programs whose code uses COM (the browser control, the login
// window's XML parser) initialise OLE once, as the program does at its start.
// Including this header registers it.

#include <gtest/gtest.h>
#include <ole2.h>

namespace testsupport {

class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

inline ::testing::Environment* const kOleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

} // namespace testsupport
