#pragma once

#include <stdexcept>
#include <string>

namespace kvr {

// The one error type of the data layer. Its text is the short English message that the
// windows show inside their Japanese messages, so it must stay exactly as raised.
class KvrError : public std::runtime_error
{
public:
    explicit KvrError(const std::string &text)
        : std::runtime_error(text)
    {
    }
};

} // namespace kvr
