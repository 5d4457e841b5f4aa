// Writes the seed corpora of the fuzz targets from the shipped data, then copies the saved
// regression inputs beside them:
//   kvr_fuzz_seeds <data folder> <regressions folder> <corpus folder>
// Each target gets corpus/<name>/, seeded with small inputs in the form its program reads.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/kvrsettings.h"
#include "db/exportfile.h"
#include "db/question.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"

using namespace kvr;
namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CCorpus
{
public:
    explicit CCorpus(fs::path root)
        : m_root(std::move(root))
    {
    }
    void add(const std::string &target, const std::string &content)
    {
        const fs::path folder = m_root / target;
        fs::create_directories(folder);
        if (m_counts[target] == 0)
            removeSeeds(folder); // those of an earlier run, which the data may no longer give
        const int n = m_counts[target]++;
        std::ofstream(folder / ("seed-" + std::to_string(n)), std::ios::binary) << content;
    }
    void copyFrom(const fs::path &regressions)
    {
        std::error_code error;
        for (const auto &target : fs::directory_iterator(regressions, error)) {
            if (!target.is_directory())
                continue;
            for (const auto &file : fs::directory_iterator(target.path())) {
                const fs::path folder = m_root / target.path().filename();
                fs::create_directories(folder);
                fs::copy_file(file.path(), folder / file.path().filename(),
                              fs::copy_options::overwrite_existing);
            }
        }
    }

private:
    static void removeSeeds(const fs::path &folder)
    {
        for (const auto &file : fs::directory_iterator(folder)) {
            if (file.path().filename().string().starts_with("seed-"))
                fs::remove(file.path());
        }
    }

    fs::path m_root;
    std::map<std::string, int> m_counts;
};

struct Collection
{
    std::string path;
    std::vector<const CFolder *> folders; // from the top down
    const CSection *section;
};

void collect(const CFolder &folder, const std::string &path, std::vector<const CFolder *> chain,
             std::vector<Collection> &out)
{
    for (const TreeEntry &entry : folder.entries) {
        const std::string child = path.empty() ? entry.name() : path + "/" + entry.name();
        if (entry.kind() == EntryKind::Section) {
            out.push_back({ child, chain, &entry.section() });
        } else {
            std::vector<const CFolder *> deeper = chain;
            deeper.push_back(&entry.folder());
            collect(entry.folder(), child, deeper, out);
        }
    }
}

// The collection inside copies of its folders (headers kept, other entries left out), with
// at most maxLines of its lines.
CQuestionDatabase alone(const Collection &c, std::size_t maxLines)
{
    CQuestionDatabase database;
    CFolder *parent = &database.root;
    for (const CFolder *folder : c.folders) {
        CFolder &copy = parent->addFolder();
        copy.name = folder->name;
        copy.header = folder->header;
        parent = &copy;
    }
    CSection &section = parent->addSection();
    section.name = c.section->name;
    section.header = c.section->header;
    const std::size_t n = std::min(maxLines, c.section->lines.size());
    for (std::size_t i = 0; i < n; ++i)
        section.lines.push_back(std::string_view(c.section->lines[i]));
    return database;
}

std::string sampleLog(const std::string &path)
{
    CAnswerLog log;
    CUserLog &learner = log.addUserLog(cp932::text("山田"));
    CSectionLog &typed = obtainSectionLog(learner, path, LogModeIndex::EnglishToJapaneseTyped);
    addDrillRun(typed, { 8, 2, 1700000000, 1700000300, 250 });
    addDrillRun(typed, { 5, 5, 1700100000, 1700100200, 120 });
    for (int position = 0; position < 6; ++position)
        setTally(typed, position, QuestionTally::FirstCorrect, position % 3);
    setTally(typed, 1, QuestionTally::FirstIncorrect, 4);
    setTally(typed, 2, QuestionTally::FirstCorrectAdjust, -10);
    setTally(typed, 3, QuestionTally::RetryIncorrect, 2);
    typed.seriesSeed = 1700000000;
    typed.seriesDone = 4;
    typed.lastSeriesCount = 2;
    typed.lastMissed = { 1, 3 };
    CSectionLog &sequential = obtainSectionLog(learner, path, LogModeIndex::SpeedReply);
    addDrillRun(sequential, { 1, 0, 1700200000, 1700200010, 9 });
    sequential.seriesDone = 3;
    sequential.lastSeriesCount = 3;
    log.addUserLog("guest");
    return log.formatAnswerLog();
}

std::string settingsFile()
{
    CMemorySettingsStore store;
    CKvrSettings settings;
    settings.InstallPath = "/opt/kelvora";
    settings.UserName = cp932::text("山田");
    settings.LastSection = cp932::text("英単語/中学１年/身の回りのもの");
    settings.saveAll(store);
    return store.snapshot().format();
}

void databaseSeeds(CCorpus &corpus, const CQuestionDatabase &database)
{
    std::vector<Collection> collections;
    collect(database.root, "", {}, collections);
    for (const Collection &c : collections)
        corpus.add("dbreader", formatDatabase(alone(c, 40)));
    corpus.add("dbreader",
               "preamble\r\n<S>\r\nname\r\nnote=n\r\n.\r\n?a,b\r\n</S>\r\n"
               "between\r\n<F>\r\nfolder\r\na\r\nb\r\nc\r\nd\r\n.\r\n</F>\r\n");

    for (std::size_t i = 0; i < collections.size(); i += 8) {
        corpus.add("exportfile",
                   formatDatabase(exportDatabaseOf(alone(collections[i], 6), collections[i].path,
                                                   EntryKind::Section)));
    }
    const CQuestionDatabase nested = alone(collections.back(), 4);
    corpus.add(
        "exportfile",
        formatDatabase(exportDatabaseOf(nested, nested.root.entries[0].name(), EntryKind::Folder)));

    std::size_t n = 0;
    for (const Collection &c : collections) {
        for (const std::string &line : c.section->lines) {
            if (n++ % 7 == 0)
                corpus.add("questionline", line);
        }
    }
    for (const char *line :
         { "?\"a,b\",\"say \\\"hi\\\"\",c\\\\d,,,q1\\nq2,h1\\n\\nh3,w.wav,ext,ra", "?\"unclosed",
           "?a", "plain answer", "" })
        corpus.add("questionline", line);

    // Text files to import: tab, comma and semicolon, quoted line breaks, each encoding.
    for (const std::string &text :
         { std::string("#separator:tab\n#html:false\napple\tringo\npear\tnashi\n"),
           std::string("word,meaning,note\r\nrun,\"one\r\ntwo\",\"h\"\"1\"\r\n"),
           std::string("a;b;c\n\"x;y\";z\n"), std::string("\xEF\xBB\xBF") + "a,b\r\n",
           std::string("\xFF\xFE"
                       "a\0\t\0"
                       "b\0",
                       8),
           cp932::text("表,ー\r\n"), std::string("caf\xC3\xA9\tx\n") })
        corpus.add("csvimport", text);

    // Tiny collections, with control bytes for mode, current position, seed and pick.
    for (std::size_t i = 0; i < collections.size(); i += 5) {
        const auto &lines = collections[i].section->lines;
        for (std::size_t count : { 1, 3, 6 }) {
            std::string seed = std::string(1, char('0' + i % 5)) + char('1' + count % 3) + "7\n";
            for (std::size_t k = 0; k < std::min(count, lines.size()); ++k)
                seed += lines[k] + "\n";
            corpus.add("fourchoice", seed);
        }
    }

    // One question each, typed right, nearly right and wrong.
    for (std::size_t i = 0; i < collections.size(); i += 4) {
        CQuestion question;
        parseQuestionLine(question, collections[i].section->lines.front());
        const std::string &answer = question.answers[0];
        std::string seed = std::string(1, char('0' + i % 5)) + "311" + char('1' + i % 4) + "0\n";
        for (const std::string &text : question.answers)
            seed += text + "\n";
        seed += question.questionLines[0] + "\n" + question.questionLines[1] + "\n";
        for (const std::string &typed : { " " + answer + "\t", answer + ".", std::string("xyz"),
                                          std::string(), answer, std::string("End") })
            seed += typed + "\n";
        corpus.add("answerjudge", seed);
    }

    // A tiny collection and a log with records of its path.
    const Collection &first = collections.front();
    std::string lines;
    for (std::size_t k = 0; k < 6 && k < first.section->lines.size(); ++k)
        lines += first.section->lines[k] + "\n";
    lines += "plain line\n";
    for (const char *control : { "\x0c\x00\x00\x05\n", "\x03\x01\x05\x00\n", "\x30\x02\x02\x02\n" })
        corpus.add("selection", std::string(control, 5) + lines + "%%\n" + sampleLog(first.path));
    corpus.add("answerlog", sampleLog(first.path));
    corpus.add("answerlog",
               "# header\r\n\r\n[A]\r\n\"x/y\",1,2,3,4,5,6,7,8,9,10,11,\r\n"
               "ql=3+1&5+2&3+1+0+2&1+2+3+4+-10+6+7+8&\r\ntm=5,7\r\nlm=4+9\r\n");

    for (const Collection &c : collections) {
        if (&c - collections.data() < 4) {
            corpus.add("cp932", c.path);
            corpus.add("cp932", cp932::toUtf8(c.path));
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <data folder> <regressions folder> <corpus folder>\n",
                     argv[0]);
        return 2;
    }
    const fs::path data = argv[1];
    CCorpus corpus(argv[3]);
    CQuestionDatabase database;
    if (!readDatabase(database, (data / "Datas" / "DBv3.kvr").string())) {
        std::fprintf(stderr, "cannot read the shipped database\n");
        return 1;
    }
    databaseSeeds(corpus, database);

    corpus.add("answerlog", readAll(data / "Datas" / "translog.txt"));
    const std::string webdic = readAll(data / "Datas" / "webdic.ini");
    corpus.add("webdictionary", webdic);
    corpus.add("inifile", std::string("WebDic\t 4_title\tNew site\n") + webdic);
    corpus.add("inifile", std::string("WebDic\t0_head\thttps://example.org/?q=\n") + webdic);
    corpus.add("cp932", webdic);
    for (const auto &skin : fs::directory_iterator(data / "skin")) {
        const std::string text = readAll(skin.path());
        corpus.add("skin", text);
        corpus.add("inifile", std::string("Design\tDlgWidth_n\t640\n") + text);
    }
    for (const char *sound : { "Correct.wav", "Incorrect.wav" }) {
        const std::string wav = readAll(data / "Datas" / sound);
        corpus.add("wavheader", wav.substr(0, 256)); // the headers and the first samples
    }
    const std::string settings = settingsFile();
    corpus.add("settings", std::string("Options\tLastSection\tA/B\n") + settings);
    corpus.add("settings", std::string("DBv3\tfilename\n") + settings);
    corpus.add("settings", std::string("Options\tOpacity\t#7\n") + settings);

    corpus.copyFrom(argv[2]);
    return 0;
}
