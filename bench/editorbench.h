#pragma once

// The editor's session over the large sample database with three more collections at the
// top: "large" (5,000 questions), "small" and "small2" (10 each); files in a fresh folder.

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "bench/benchdata.h"
#include "db/questiondatabase.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "editor/testsupport_editordialogs.h"
#include "platform/filedialogs.h"
#include "platform/settingsstore.h"

namespace kvr::bench {

class CYesPrompter final : public kvr::IPrompter
{
public:
    kvr::Reply ask(const kvr::Message &) override { return kvr::Reply::Yes; }
};

class CNoClipboard final : public kvr::IClipboard
{
public:
    void setText(const std::string &) override { }
    bool hasText() const override { return false; }
    kvr::EnteredText text() const override { return std::nullopt; }
};

class CNoFileDialogs final : public kvr::IFileDialogs
{
public:
    std::optional<std::string> askPath(const kvr::FileRequest &) override { return std::nullopt; }
};

constexpr int kLargeRows = 5000;
constexpr int kSmallRows = 10;

struct EditorBench
{
    std::string folder;
    kvr::CEditorSettings settings;
    kvr::CMemorySettingsStore store;
    kvr::CQuestionDatabase database = makeSampleDatabase();
    std::vector<kvr::WebDictionary> dictionaries;
    CYesPrompter prompter;
    CNoClipboard clipboard;
    CNoFileDialogs fileDialogs;
    kvr::test::ScriptedEditorDialogs dialogs; // no script: every dialog cancelled
    std::unique_ptr<kvr::CEditorSession> session;

    EditorBench()
    {
        const auto temp = std::filesystem::temp_directory_path()
            / ("kvr_editor_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(temp);
        folder = temp.string();
        for (const auto &[name, rows] : { std::pair { "large", kLargeRows },
                                          { "small", kSmallRows },
                                          { "small2", kSmallRows } }) {
            kvr::CSection &section = database.root.addSection();
            section.name = name;
            for (int i = 0; i < rows; ++i)
                section.lines.push_back(sampleQuestionLine(i));
            section.lines.push_back("");
        }
        settings.DatabaseFilename = folder + "/DBv3.kvr";
        settings.LogPath = folder + "/translog.txt";
        kvr::writeDatabase(database, settings.DatabaseFilename);
        session = std::make_unique<kvr::CEditorSession>(kvr::EditorServices {
            settings, store, database, dictionaries, prompter, clipboard, fileDialogs, dialogs,
            "KvrEditorBench" + std::to_string(::getpid()) });
        session->start();
    }
    ~EditorBench() { std::filesystem::remove_all(folder); }

    void select(const std::string &path)
    {
        session->selectTreeItem(kvr::findNodeByPath(session->view().tree, path));
    }
};

} // namespace kvr::bench
