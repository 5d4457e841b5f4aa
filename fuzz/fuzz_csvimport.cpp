// CSV and text import: any bytes decode and split without fault, records written back as
// quoted CSV split into the same fields, and converted questions are single lines.
#include "editor/csvimport.h"
#include "fuzz/fuzzsupport.h"

using namespace kvr;

namespace {

std::string quoted(const std::vector<std::string> &fields, char separator)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += separator;
        text += '"';
        for (char c : fields[i])
            text += c == '"' ? std::string("\"\"") : std::string(1, c);
        text += '"';
    }
    return text + "\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = fuzz::asText(data, size);
    const CsvFile file = parseCsvFile(bytes);
    std::size_t previousLine = 0;
    std::string again;
    for (const CsvRecord &record : file.records) {
        KVR_FUZZ_CHECK(record.line > previousLine);
        KVR_FUZZ_CHECK(record.fields.size() <= file.columnCount);
        previousLine = record.line;
        again += quoted(record.fields, file.separator);
    }
    const std::vector<CsvRecord> reparsed = parseCsv(again, file.separator);
    KVR_FUZZ_CHECK(reparsed.size() == file.records.size());
    for (std::size_t i = 0; i < reparsed.size(); ++i)
        KVR_FUZZ_CHECK(reparsed[i].fields == file.records[i].fields);

    for (const CsvColumns columns : { file.columns, CsvColumns { 1, 0, 2, true } }) {
        const CsvConversion converted = convertCsv(file, columns);
        KVR_FUZZ_CHECK(converted.lines.size() + converted.unmappable.size() <= file.records.size());
        for (const std::string &line : converted.lines) {
            KVR_FUZZ_CHECK(!line.empty());
            KVR_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        }
    }

    for (const CQuestion &row : pastedRows(bytes)) {
        const std::string line = formatQuestionLine(row);
        KVR_FUZZ_CHECK(!line.empty());
        KVR_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    }
    return 0;
}
