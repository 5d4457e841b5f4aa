#pragma once

#include <string_view>

#include "platform/version.h"

// Fixed facts about the study program that its windows show.
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

} // namespace kvr::ui
