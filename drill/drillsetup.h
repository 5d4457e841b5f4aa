#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "history/drillmode.h"
#include "history/ratebasis.h"

namespace kvr {

class IClock;
struct CKvrSettings;

// What a starter hands to the drill session: which collection, how, and in which order.
struct DrillSetup
{
    std::string sectionPath; // also the key of the learner's history record
    CSection sectionCopy; // the drill never reads the database tree again
    DrillMode drillMode = DrillMode::JapaneseToEnglishTyped;
    bool sequentialOrder = false;
    bool randomRetryOrder = false; // IsRandomMistakeReply
    int requestedCount = -1; // -1: all questions
    std::vector<int> selection; // explicit positions; empty: the whole collection
    std::uint32_t orderSeed = 0; // 0 for sequential order
    int orderSkip = 0; // questions of the series taken by earlier drills
    // The drill starts a new series: when it ends normally, the series counts from its
    // questions alone. Until then the stored progress stays, so a drill that is cancelled
    // or never recorded loses nothing.
    bool newSeries = false;
};

// Positions, ascending, of the lines whose first byte is "?".
std::vector<int> buildQuestionPool(const CSection &section);

// Removes and returns the element at crt::rand() % size; -1 (and no draw) when empty.
int drawRandom(std::vector<int> &pool);

// The LogMode setting as a mode index; nothing for a value outside 0-4.
std::optional<LogModeIndex> logModeFromSetting(int logMode);

// Sets orderSeed, orderSkip and newSeries: continues the stored series of the same order
// kind or starts a new one (seed = clock.now() for a random drill). record may be nullptr
// (no history yet); it is never changed.
void prepareSeries(DrillSetup &setup, bool random, int questionCount, const CSectionLog *record,
                   const IClock &clock);
// The same, finding the record of settings.UserName / settings.LogMode; a failed look-up
// silently starts a new series.
void prepareSeries(DrillSetup &setup, bool random, int questionCount, const CAnswerLog &log,
                   const CKvrSettings &settings, const IClock &clock);

// Up to n question positions, lowest correct rate first. Unanswered questions (total 0)
// come first for FirstAnswers and Both, last for Retries. Ties keep collection order.
std::vector<int> selectWeakest(const CSection &section, const std::vector<QuestionTally> &tallies,
                               int n, RateBasis basis);

// The question list of the first pass. Seeds crt with orderSeed, and afterwards reseeds it
// with clock.now() so later draws do not depend on the seed.
// Selected positions that are not question lines of sectionCopy are dropped.
std::vector<int> firstPassOrder(const DrillSetup &setup, const IClock &clock);

// A ready-made selection, or the message (CP932) that explains why there is none.
struct RepeatSelection
{
    std::vector<int> selection;
    std::string message; // empty when the selection is usable
    bool ok() const { return message.empty(); }
};

// "前回学習した問題": rebuilds the positions of the learner's last drill of the series
// from the record (nullptr: never studied). section is nullptr when the collection cannot
// be found. Leaves crt seeded from the record's series seed (it replays the series).
RepeatSelection lastDrillSelection(const CSectionLog *record, const CSection *section);
// "前回に間違えた問題": the record's missed list.
RepeatSelection lastMissedSelection(const CSectionLog *record);

// A drill of the questions a drill just missed: the same collection copy and mode, the
// missed positions in the order they were missed (each once), no dialogs and no series.
DrillSetup missedQuestionsSetup(const DrillSetup &finished, const std::vector<int> &missed);

// COrderDlg: items in list order; "ランダム" is selected when it opens.
enum class OrderItem : int { Sequential = 0, Random = 1 };
constexpr int kOrderDlgInitialItem = static_cast<int>(OrderItem::Random);
// sequentialOrder for the confirmed list row; nothing for no row (confirm does nothing).
std::optional<bool> orderDlgSequential(int selectedRow);

// CCountDlg.
constexpr int kCountDlgMinimum = 1;
constexpr int kCountDlgMaximum = 1000;
constexpr int kCountDlgAll = -1; // "全部"
int countDlgInitialValue(int nDefaultQuestions, int questionCount);
bool countDlgAccepts(int value); // "OK" accepts 1..1000 only
std::string countDlgRangeLabel(int questionCount); // "(1～%d)", CP932

// The dialogs the starter needs; the user-interface layer only shows them.
class IDrillStartPrompter
{
public:
    virtual ~IDrillStartPrompter() = default;
    // COrderDlg: true for "シーケンシャル", false for "ランダム"; nothing when cancelled.
    virtual std::optional<bool> askOrder() = 0;
    // CCountDlg: a count (1-1000) or kCountDlgAll; nothing when cancelled.
    virtual std::optional<int> askCount(int questionCount, int initialValue) = 0;
};

// What the caller of a drill start supplies (the mode is already chosen).
struct DrillStartRequest
{
    std::string sectionPath;
    DrillMode drillMode = DrillMode::JapaneseToEnglishTyped;
    int count = -1; // >= 0: fixed count, no count dialog
    std::vector<int> selection; // empty: the whole collection
};

enum class DrillStartOutcome { Ready, Cancelled, SectionMissing };

struct DrillStart
{
    DrillStartOutcome outcome = DrillStartOutcome::Cancelled;
    DrillSetup setup; // valid when Ready
    std::string message; // SectionMissing: "問題集を取得できませんでした。(%s)", CP932
};

// Starting a drill from the main window: order and count dialogs as the settings say,
// the copy of the collection, and the series (whole collection) or a fresh seed
// (selection). The series record is looked up under the drill's own mode.
DrillStart startDrill(const DrillStartRequest &request, const CFolder &root, CAnswerLog &log,
                      const CKvrSettings &settings, IDrillStartPrompter &prompter,
                      const IClock &clock);

} // namespace kvr
