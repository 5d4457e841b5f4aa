#pragma once

#include <string>
#include <string_view>

#include "app/mainwindow.h"
#include "platform/version.h"

// Fixed facts about the two programs that their windows show.
namespace kvr::ui {

constexpr std::string_view kVersionText = KVR_VERSION;
constexpr std::string_view kProgramCaption = "Kvr"; // message boxes without a caption
constexpr std::string_view kMainTitle = "Kvr " KVR_VERSION;
constexpr std::string_view kAboutCaption = "Kelvora のﾊﾞｰｼﾞｮﾝ情報";
constexpr std::string_view kAboutVersionLine = "Kelvora  Version " KVR_VERSION;
constexpr std::string_view kAboutCopyright = "Copyright (C) 2026 The Kelvora Project";
// The project's home page; the program appends where the visit comes from.
constexpr std::string_view kHomePage = "https://kelvora.example.org/";
constexpr std::string_view kHomePageQuery = "?t=r:Kvr";

enum class ProgramIcon { Study, Editor };

// What the about box, the help and "ホームページ" tell apart between the study program and
// the editor; both share the help pages and the copyright.
struct ProgramIdentity
{
    std::string_view aboutCaption;
    std::string_view versionLine;
    std::string_view copyright;
    std::string_view homePageQuery; // after kHomePage, before the version
    std::string_view helpPage; // the page of the help the program opens on
    ProgramIcon icon;
};

constexpr ProgramIdentity kStudyProgram { kAboutCaption,  kAboutVersionLine, kAboutCopyright,
                                          kHomePageQuery, "top.html",        ProgramIcon::Study };
constexpr ProgramIdentity kEditorProgram { "KvrEditorのﾊﾞｰｼﾞｮﾝ情報",
                                           "KvrEditor  Version " KVR_VERSION,
                                           kAboutCopyright,
                                           "?t=r:KvrEditor",
                                           "editor.html",
                                           ProgramIcon::Editor };

// The address the program's "ホームページ(&W)..." opens.
inline std::string homePageOf(const ProgramIdentity &program)
{
    return homePageAddress(kHomePage, program.homePageQuery, kVersionText);
}

} // namespace kvr::ui
