#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "editor/gridsort.h"

namespace kvr {
namespace {

std::vector<CQuestion> rowsOf(const std::vector<std::string> &firstAnswers)
{
    std::vector<CQuestion> rows;
    for (const std::string &text : firstAnswers) {
        CQuestion row;
        if (text == "-")
            row.questionLines[0] = "q"; // a question with an empty answer 1
        else
            row.answers[0] = text;
        rows.push_back(row);
    }
    return rows;
}

TEST(GridSort, EmptyRowsLastThenEmptyCellsThenBytesInTheDirection)
{
    struct Row
    {
        std::vector<std::string> cells; // "" an empty row, "-" an empty cell
        bool ascending;
        std::vector<std::size_t> order;
    };
    const Row rows[] = {
        { { "b", "", "a", "-", "c" }, true, { 2, 0, 4, 3, 1 } },
        { { "b", "", "a", "-", "c" }, false, { 4, 0, 2, 3, 1 } },
        { { "B", "a", sj("あ"), "b" }, true, { 0, 1, 3, 2 } },
        { { "x", "-", "x", "" }, true, { 0, 2, 1, 3 } },
    };
    for (const Row &row : rows)
        EXPECT_EQ(sortedOrder(rowsOf(row.cells), GridColumn::Answer1, row.ascending), row.order);
    EXPECT_EQ(sortedOrder(rowsOf({ "b", "a" }), GridColumn::ExtData, true),
              (std::vector<std::size_t> { 0, 1 }));
}

TEST(GridSort, EachColumnFlipsItsOwnDirection)
{
    CSortDirections directions;
    EXPECT_TRUE(directions.take(GridColumn::Answer1));
    EXPECT_TRUE(directions.take(GridColumn::Hint2));
    EXPECT_FALSE(directions.take(GridColumn::Answer1));
    EXPECT_TRUE(directions.take(GridColumn::Answer1));
}

} // namespace
} // namespace kvr
