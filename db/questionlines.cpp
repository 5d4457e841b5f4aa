#include "db/questionlines.h"

#include <algorithm>
#include <cstring>

namespace kvr {

namespace {

// Replaced and erased lines stay in their blocks until the blocks hold this much more than
// the lines themselves; then the lines move into one new block.
constexpr std::size_t kWasteAllowed = 4096;
// New texts go into blocks that grow from the smallest to the largest size as a list grows.
constexpr std::size_t kFirstBlock = 256;
constexpr std::size_t kLargestBlock = 64 * 1024;

} // namespace

CQuestionLines::LineRef &CQuestionLines::LineRef::operator=(std::string_view text)
{
    m_lines.set(m_index, text);
    static_cast<std::string_view &>(*this) = m_lines.m_views[m_index];
    return *this;
}

CQuestionLines::CQuestionLines(const CQuestionLines &other)
    : m_views(other.m_views)
    , m_blocks(other.m_blocks)
    , m_blockBytes(other.m_blockBytes)
    , m_lineBytes(other.m_lineBytes)
{
}

CQuestionLines &CQuestionLines::operator=(const CQuestionLines &other)
{
    if (this != &other) {
        CQuestionLines copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CQuestionLines::CQuestionLines(std::initializer_list<std::string_view> lines)
{
    reserve(lines.size());
    for (std::string_view line : lines)
        push_back(line);
}

CQuestionLines::CQuestionLines(const std::vector<std::string> &lines)
{
    reserve(lines.size());
    for (const std::string &line : lines)
        push_back(line);
}

CQuestionLines &CQuestionLines::operator=(std::initializer_list<std::string_view> lines)
{
    CQuestionLines copy(lines);
    return *this = std::move(copy);
}

std::string_view CQuestionLines::stored(std::string_view line)
{
    if (line.empty())
        return {};
    if (!m_open || m_openFree < line.size()) {
        const std::size_t grown = std::clamp(m_lineBytes, kFirstBlock, kLargestBlock);
        m_openUsed = 0;
        m_openFree = std::max(line.size(), grown);
        m_open = std::make_shared_for_overwrite<char[]>(m_openFree);
        m_blocks.push_back(m_open);
    }
    char *const at = m_open.get() + m_openUsed;
    std::memcpy(at, line.data(), line.size());
    m_openUsed += line.size();
    m_openFree -= line.size();
    m_blockBytes += line.size();
    return { at, line.size() };
}

void CQuestionLines::push_back(std::string_view line)
{
    const std::string_view view = stored(line);
    m_views.push_back(view);
    m_lineBytes += view.size();
}

void CQuestionLines::appendShared(std::string_view line, const Block &block, std::size_t blockSize)
{
    if (m_blocks.empty() || m_blocks.back() != block) {
        m_blocks.push_back(block);
        m_blockBytes += blockSize;
    }
    m_views.push_back(line);
    m_lineBytes += line.size();
}

CQuestionLines::const_iterator CQuestionLines::insert(const_iterator position,
                                                      std::string_view line)
{
    const auto index = position - begin();
    const std::string_view view = stored(line); // line may lie in this list's own blocks
    m_views.insert(m_views.begin() + index, view);
    m_lineBytes += view.size();
    return begin() + index;
}

CQuestionLines::const_iterator CQuestionLines::erase(const_iterator position)
{
    return erase(position, position + 1);
}

CQuestionLines::const_iterator CQuestionLines::erase(const_iterator first, const_iterator last)
{
    const auto index = first - begin();
    for (const_iterator it = first; it != last; ++it)
        m_lineBytes -= (*it).size();
    m_views.erase(m_views.begin() + index, m_views.begin() + (last - begin()));
    compactIfWasteful();
    return begin() + index;
}

void CQuestionLines::set(std::size_t index, std::string_view line)
{
    const std::string_view view = stored(line);
    m_lineBytes = m_lineBytes - m_views.at(index).size() + view.size();
    m_views[index] = view;
    compactIfWasteful();
}

void CQuestionLines::assign(std::size_t count, std::string_view line)
{
    CQuestionLines lines;
    const std::string_view view = lines.stored(line);
    lines.m_views.assign(count, view);
    lines.m_lineBytes = count * view.size();
    *this = std::move(lines);
}

void CQuestionLines::resize(std::size_t count)
{
    if (count < size())
        erase(begin() + static_cast<std::ptrdiff_t>(count), end());
    else
        m_views.resize(count);
}

void CQuestionLines::clear()
{
    m_views.clear();
    m_blocks.clear();
    m_blockBytes = 0;
    m_lineBytes = 0;
    m_open.reset();
}

std::vector<std::string> CQuestionLines::toStrings() const
{
    return std::vector<std::string>(begin(), end());
}

bool operator==(const CQuestionLines &a, const std::vector<std::string> &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

void CQuestionLines::compactIfWasteful()
{
    if (m_blockBytes <= 2 * m_lineBytes + kWasteAllowed)
        return;
    std::shared_ptr<char[]> block = std::make_shared_for_overwrite<char[]>(m_lineBytes);
    std::size_t used = 0;
    for (std::string_view &view : m_views) {
        if (view.empty())
            continue;
        std::memcpy(block.get() + used, view.data(), view.size());
        view = std::string_view(block.get() + used, view.size());
        used += view.size();
    }
    m_blocks.clear();
    m_blocks.push_back(std::move(block));
    m_blockBytes = m_lineBytes;
    m_open.reset();
}

} // namespace kvr
