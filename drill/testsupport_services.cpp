#include "drill/testsupport_services.h"

namespace kvr::test {

RecordingServices::RecordingServices(const CKvrSettings &settings)
    : pronunciation(&speech, sound, settings)
{
}

std::vector<std::string> RecordingServices::take()
{
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

} // namespace kvr::test
