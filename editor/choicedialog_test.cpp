#include <gtest/gtest.h>
#include <string>

#include "db/testsupport.h"
#include "db/testsupport_tree.h"
#include "editor/choicedialog.h"

namespace kvr {
namespace {

using test::treeOf;
constexpr EntryKind S = EntryKind::Section, F = EntryKind::Folder;

TEST(ChoiceDialog, ADestinationIsAFolderOutsideTheSourceOrTheRoot)
{
    const CFolder root = treeOf("A[B[X],X],AB[Y],Z");
    const ChoiceDialogRequest forFolder = destinationChoice(root, "A", F);
    EXPECT_EQ(forFolder.caption, sj("フォルダを選択してください。"));
    EXPECT_TRUE(forFolder.rootBoxShown);
    EXPECT_EQ(forFolder.rootBoxText, sj("ルートに作成する"));
    struct Row
    {
        std::string path;
        EntryKind kind;
        bool accepted;
    };
    const Row rows[] = {
        { "A", F, false },   { "A/B", F, false }, { "AB", F, true },
        { "A/X", S, false }, { "Z", S, false },   { "", F, false },
    };
    for (const Row &row : rows) {
        EXPECT_EQ(choiceAccepts(forFolder, row.path, row.kind), row.accepted) << row.path;
        const ChoiceAnswer answer { false, row.path, row.kind };
        EXPECT_EQ(choiceOkEnabled(forFolder, answer, false), row.accepted) << row.path;
        EXPECT_EQ(acceptedChoice(forFolder, answer).has_value(), row.accepted) << row.path;
    }
    EXPECT_TRUE(choiceOkEnabled(forFolder, std::nullopt, true));
    EXPECT_TRUE(acceptedChoice(forFolder, ChoiceAnswer { true, "", F }));
    EXPECT_FALSE(choiceOkEnabled(forFolder, std::nullopt, false));

    const ChoiceDialogRequest forCollection = destinationChoice(root, "A/X", S);
    EXPECT_TRUE(choiceAccepts(forCollection, "A", F));
}

TEST(ChoiceDialog, ACollectionChoiceTakesCollectionsOnlyAndHasNoRootBox)
{
    const CFolder root = treeOf("B[Y],A");
    const ChoiceDialogRequest request = collectionChoice(root);
    EXPECT_EQ(request.caption, sj("問題集を選択してください。"));
    EXPECT_FALSE(request.rootBoxShown);
    EXPECT_TRUE(choiceAccepts(request, "B/Y", S));
    EXPECT_FALSE(choiceAccepts(request, "B", F));
    EXPECT_FALSE(choiceOkEnabled(request, std::nullopt, true));
    EXPECT_FALSE(acceptedChoice(request, ChoiceAnswer { true, "", F }));
    ASSERT_EQ(request.tree.children.size(), 2u);
    EXPECT_EQ(request.tree.children[0].name, "A"); // sorted as the main tree
}

} // namespace
} // namespace kvr
