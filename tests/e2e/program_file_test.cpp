// What the program file tells Windows about itself.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "program.h"

namespace e2e {
namespace {

TEST(ProgramFile, VersionResourceIs1000InChinesePrc) {
    const std::string path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, sizeof *translation);
    EXPECT_EQ(translation->language, 0x0804) << "Chinese (PRC)";
    EXPECT_EQ(translation->codePage, 936) << "GBK";

    for (const char* name : {"FileVersion", "ProductVersion"}) {
        SCOPED_TRACE(name);
        char* value = nullptr;
        const std::string key = std::string("\\StringFileInfo\\080403A8\\") + name;
        ASSERT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_STREQ(value, "1.0.0.0");
    }
    char* name = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\080403A8\\ProductName", reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, "Corvanel");
}

}  // namespace
}  // namespace e2e
