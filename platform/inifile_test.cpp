#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/inifile.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

using namespace kvr;

TEST(IniFile, ReadsWithProfileSemantics)
{
    CIniFile ini;
    ini.parse("top=ignored\r\n"
              "[Design]\r\n"
              "  Name = Blue sky \r\n"
              "Quoted=\"  spaced  \"\r\n"
              "Single='x'\r\n"
              "Lone=\"\r\n"
              ";Comment=1\r\n"
              "Inline=1 ;x\r\n"
              "#Hash=2\r\n"
              "Name=second wins never\r\n"
              "\r\n"
              "[design]\r\n"
              "Other=shadowed\r\n"
              "[ WebDic ]\n"
              " 0_dictype=3\r"
              "Num= -5x\r\n"
              "Empty=\r\n"
              "Word=abc\r\n");
    EXPECT_EQ(ini.getString("DESIGN", "name", "d"), "Blue sky");
    EXPECT_EQ(ini.getString("Design", "Quoted", "d"), "  spaced  ");
    EXPECT_EQ(ini.getString("Design", "Single", "d"), "x");
    EXPECT_EQ(ini.getString("Design", "Lone", "d"), "\"");
    EXPECT_EQ(ini.getString("Design", "Comment", "d"), "d");
    EXPECT_EQ(ini.getString("Design", "Inline", "d"), "1 ;x");
    EXPECT_EQ(ini.getString("Design", "#Hash", "d"), "2");
    EXPECT_EQ(ini.getString("Design", "Other", "d"), "d"); // only the first section counts
    EXPECT_EQ(ini.getString("Design", "top", "d"), "d");
    EXPECT_EQ(ini.getInt("WebDic", " 0_dictype", 9), 3);
    EXPECT_EQ(ini.getInt("WebDic", "0_dictype", 9), 3);
    EXPECT_EQ(ini.getInt("WebDic", "Num", 9), -5);
    EXPECT_EQ(ini.getInt("WebDic", "Empty", 9), 9);
    EXPECT_EQ(ini.getInt("WebDic", "Word", 9), 0);
    EXPECT_EQ(ini.getInt("WebDic", "Missing", 9), 9);
    EXPECT_EQ(ini.getString("Nowhere", "x", "def"), "def");
}

TEST(IniFile, TrailByteOfBracketDoesNotEndASectionName)
{
    const std::string name = cp932::text("ゾ表"); // 83 5D, 95 5C
    CIniFile ini;
    ini.parse("[" + name + "]\r\nk=" + cp932::text("値") + "\r\n");
    EXPECT_EQ(ini.getString(name, "K", ""), cp932::text("値"));
}

TEST(IniFile, WritesKeepEveryOtherLine)
{
    TempFolder folder;
    const std::string path = folder.file("webdic.ini");
    EXPECT_EQ(getPrivateProfileString("WebDic", "x", "none", path), "none"); // no file yet

    ASSERT_TRUE(writePrivateProfileString("WebDic", " 0_dictype", "1", path));
    EXPECT_EQ(readWholeFile(path).value(), "[WebDic]\r\n0_dictype=1\r\n");

    ASSERT_TRUE(replaceFileAtomically(path, "; note\r\n[A]\r\nk=1\r\n\r\n[WebDic]\r\nx = 2\r\n"));
    ASSERT_TRUE(writePrivateProfileString("a", "new", "v", path)); // new key, end of section
    ASSERT_TRUE(writePrivateProfileString("WEBDIC", "X", "3", path)); // replaced in place
    ASSERT_TRUE(writePrivateProfileString("Extra", "n", cp932::text("表"), path));
    EXPECT_EQ(readWholeFile(path).value(),
              "; note\r\n[A]\r\nk=1\r\nnew=v\r\n\r\n[WebDic]\r\nX=3\r\n\r\n[Extra]\r\nn="
                  + cp932::text("表") + "\r\n");
    EXPECT_EQ(getPrivateProfileInt("webdic", "x", 0, path), 3);
    EXPECT_EQ(getPrivateProfileString("Extra", "N", "", path), cp932::text("表"));
}
