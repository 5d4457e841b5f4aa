// The database file: reading a file and reading the same text in memory agree, and a
// database that reads as complete is written and read back unchanged.
#include "db/questiondatabase.h"
#include "fuzz/fuzzsupport.h"
#include "platform/textfile.h"

using namespace kvr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    const std::string input = fuzz::scratchFile("input.kvr");
    fuzz::putFile(input, text);

    CQuestionDatabase fromText;
    const bool complete = readDatabaseText(fromText, text);
    CQuestionDatabase fromFile;
    KVR_FUZZ_CHECK(readDatabase(fromFile, input) == complete);
    KVR_FUZZ_CHECK(fromFile == fromText);
    if (!complete)
        return 0;

    const std::string output = fuzz::scratchFile("output.kvr");
    KVR_FUZZ_CHECK(writeDatabase(fromText, output));
    const std::string written = formatDatabase(fromText);
    KVR_FUZZ_CHECK(readWholeFile(output) == written);
    CQuestionDatabase again;
    KVR_FUZZ_CHECK(readDatabase(again, output));
    KVR_FUZZ_CHECK(again == fromText);
    KVR_FUZZ_CHECK(formatDatabase(again) == written);
    return 0;
}
