#pragma once

#include <string>
#include <vector>

#include "app/weblookup.h"

namespace kvr::test {

// Records the addresses it was asked to open; reports accept.
class CRecordingUrlOpener final : public IUrlOpener
{
public:
    bool openUrl(const std::string &url) override
    {
        urls.push_back(url);
        return accept;
    }
    std::vector<std::string> urls;
    bool accept = true;
};

} // namespace kvr::test
