// The WAV header check: any bytes are answered without a crash; the file and the bytes in
// memory give the same answer; and the answer depends only on the headers, so what follows
// a playable file's format chunk cannot change it.
#include "fuzz/fuzzsupport.h"
#include "platform/wavheader.h"

using namespace kvr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = fuzz::asText(data, size);
    const bool playable = isPlayablePcmWav(bytes);

    const std::string path = fuzz::scratchFile("t.wav");
    fuzz::putFile(path, bytes);
    KVR_FUZZ_CHECK(isPlayablePcmWavFile(path) == playable);

    if (playable)
        KVR_FUZZ_CHECK(
            isPlayablePcmWav(std::string(bytes) + std::string("data\x10\0\0\0tail", 12)));
    return 0;
}
