// A fresh folder under the temporary directory per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace rvftest {

class TempFolder : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the folder.
    std::wstring At(const std::wstring& name) const { return folder_ + L"\\" + name; }
    void MakeFolder(const std::wstring& name) const;
    void MakeFile(const std::wstring& name, const std::string& bytes = "") const;
    std::string Contents(const std::wstring& name) const;

    std::wstring folder_;
};

} // namespace rvftest
