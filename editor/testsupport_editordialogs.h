#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "editor/editorsession.h"

namespace kvr::test {

// The editor's dialogs answered from scripts, one answer per showing in order (nothing,
// i.e. cancel, once a script is used up); what each showing was given is recorded.
class ScriptedEditorDialogs final : public IEditorDialogs
{
public:
    std::optional<HeaderForm> askHeader(const HeaderDialogView &view) override
    {
        return next(headerAnswers, headerViews, view);
    }
    std::optional<ChoiceAnswer> askChoice(const ChoiceDialogRequest &request) override
    {
        return next(choiceAnswers, choiceRequests, request);
    }
    std::optional<EditorOptionsForm> askOptions(const EditorOptionsView &view) override
    {
        return next(optionsAnswers, optionsShown, view.form);
    }
    // The preview answers every showing alike.
    std::optional<CsvColumns> askCsvColumns(const CsvFile &file) override
    {
        csvFilesShown.push_back(file.records.size());
        return csvColumns;
    }

    std::vector<std::optional<HeaderForm>> headerAnswers;
    std::vector<HeaderDialogView> headerViews;
    std::vector<std::optional<ChoiceAnswer>> choiceAnswers;
    std::vector<ChoiceDialogRequest> choiceRequests;
    std::vector<std::optional<EditorOptionsForm>> optionsAnswers;
    std::vector<EditorOptionsForm> optionsShown;
    std::optional<CsvColumns> csvColumns = CsvColumns {};
    std::vector<std::size_t> csvFilesShown; // the records of each file previewed

private:
    template <typename Answer, typename Shown>
    static std::optional<Answer> next(const std::vector<std::optional<Answer>> &answers,
                                      std::vector<Shown> &shown, const Shown &showing)
    {
        shown.push_back(showing);
        return shown.size() > answers.size() ? std::nullopt : answers[shown.size() - 1];
    }
};

} // namespace kvr::test
