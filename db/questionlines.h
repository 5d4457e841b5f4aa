#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

// The lines of a collection, used much like a std::vector<std::string>. The texts live in
// shared blocks, where a text never changes once written, and the list holds a view of each.
// A file's lines stay in the blocks they were read into, so loading a large database costs
// no allocation per line, and copying a collection copies views, not texts.
//
// Reading a line gives a CQuestionLines::Line: a std::string_view that also converts to
// std::string. Like a reference into a vector, it is valid until the list is next changed.
class CQuestionLines
{
public:
    using Block = std::shared_ptr<const char[]>;

    class Line : public std::string_view
    {
    public:
        Line() = default;
        Line(std::string_view text)
            : std::string_view(text)
        {
        }
        operator std::string() const { return std::string(data(), size()); }

        friend std::string operator+(std::string_view a, const Line &b) { return join(a, b); }
        friend std::string operator+(const Line &a, std::string_view b) { return join(a, b); }
        friend std::string operator+(const char *a, const Line &b) { return join(a, b); }
        friend std::string operator+(const Line &a, const char *b) { return join(a, b); }
        friend std::string operator+(const std::string &a, const Line &b) { return join(a, b); }
        friend std::string operator+(const Line &a, const std::string &b) { return join(a, b); }
        friend std::string operator+(const Line &a, const Line &b) { return join(a, b); }

    private:
        static std::string join(std::string_view a, std::string_view b)
        {
            std::string text;
            text.reserve(a.size() + b.size());
            return text.append(a).append(b);
        }
    };

    // Assigning to lines[i] replaces the line.
    class LineRef : public Line
    {
    public:
        LineRef(CQuestionLines &lines, std::size_t index)
            : Line(lines.m_views[index])
            , m_lines(lines)
            , m_index(index)
        {
        }
        LineRef(const LineRef &) = default;
        LineRef &operator=(std::string_view text);
        LineRef &operator=(const LineRef &other) { return *this = std::string_view(other); }

    private:
        CQuestionLines &m_lines;
        std::size_t m_index;
    };

    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = Line;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Line;

        const_iterator() = default;
        explicit const_iterator(const std::string_view *at)
            : m_at(at)
        {
        }
        Line operator*() const { return *m_at; }
        Line operator[](difference_type n) const { return m_at[n]; }
        const_iterator &operator++() { return ++m_at, *this; }
        const_iterator operator++(int) { return const_iterator(m_at++); }
        const_iterator &operator--() { return --m_at, *this; }
        const_iterator operator--(int) { return const_iterator(m_at--); }
        const_iterator &operator+=(difference_type n) { return m_at += n, *this; }
        const_iterator &operator-=(difference_type n) { return m_at -= n, *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const_iterator a, const_iterator b)
        {
            return a.m_at - b.m_at;
        }
        friend auto operator<=>(const_iterator, const_iterator) = default;

    private:
        const std::string_view *m_at = nullptr;
    };
    using iterator = const_iterator; // lines change through assignment to lines[i] only
    using value_type = Line;
    using size_type = std::size_t;

    CQuestionLines() = default;
    CQuestionLines(const CQuestionLines &other);
    CQuestionLines(CQuestionLines &&) noexcept = default;
    CQuestionLines &operator=(const CQuestionLines &other);
    CQuestionLines &operator=(CQuestionLines &&) noexcept = default;
    CQuestionLines(std::initializer_list<std::string_view> lines);
    CQuestionLines(const std::vector<std::string> &lines);
    CQuestionLines &operator=(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return m_views.size(); }
    bool empty() const { return m_views.empty(); }
    Line operator[](std::size_t index) const { return m_views[index]; }
    LineRef operator[](std::size_t index) { return LineRef(*this, index); }
    Line at(std::size_t index) const { return m_views.at(index); }
    Line front() const { return m_views.front(); }
    Line back() const { return m_views.back(); }
    const_iterator begin() const { return const_iterator(m_views.data()); }
    const_iterator end() const { return const_iterator(m_views.data() + m_views.size()); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void push_back(std::string_view line);
    void emplace_back(std::string_view line) { push_back(line); }
    const_iterator insert(const_iterator position, std::string_view line);
    const_iterator erase(const_iterator position);
    const_iterator erase(const_iterator first, const_iterator last);
    void set(std::size_t index, std::string_view line);
    void assign(std::size_t count, std::string_view line);
    void clear();
    void resize(std::size_t count); // new lines are empty
    void reserve(std::size_t count) { m_views.reserve(count); }
    void shrink_to_fit() { m_views.shrink_to_fit(); }

    // Takes line as it stands inside block, without copying it: for readers that keep the
    // block they read into. line must lie within block, which must never change.
    void appendShared(std::string_view line, const Block &block, std::size_t blockSize);

    std::vector<std::string> toStrings() const;
    // Bytes the list holds for its texts: replaced lines are given back in time.
    std::size_t storedBytes() const { return m_blockBytes; }

    friend bool operator==(const CQuestionLines &a, const CQuestionLines &b)
    {
        return a.m_views == b.m_views;
    }
    friend bool operator==(const CQuestionLines &a, const std::vector<std::string> &b);

private:
    std::string_view stored(std::string_view line);
    void compactIfWasteful();

    std::vector<std::string_view> m_views;
    std::vector<Block> m_blocks;
    std::size_t m_blockBytes = 0; // the bytes of m_blocks in use, by this list or others
    // The block new texts are appended to, and its free end: written only by this list
    // (a copy starts a block of its own), and never where a line already lies.
    std::shared_ptr<char[]> m_open;
    std::size_t m_openUsed = 0;
    std::size_t m_openFree = 0;
    std::size_t m_lineBytes = 0; // the lengths of the lines together
};

} // namespace kvr
