// COM for the whole test run, as the program has it from OleInitialize.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

namespace {

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

[[maybe_unused]] const auto* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

} // namespace
