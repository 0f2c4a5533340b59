#include "album_reply.h"

#include <cstdint>

namespace fernwick::bench {
namespace {

// A fixed sequence of numbers, so every run parses the same bytes.
class Numbers {
public:
    std::uint32_t next(std::uint32_t below)
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33) % below;
    }

private:
    std::uint64_t state_ = 42;
};

void append_picture(std::string& reply, Numbers& numbers, std::string_view prefix, int index)
{
    reply += "{\"img_src\":\"";
    reply += prefix;
    reply += std::to_string(index) + ".jpg\",\"img_width\":" + std::to_string(720 + numbers.next(1200))
        + ",\"img_height\":" + std::to_string(720 + numbers.next(1800)) + ",\"img_size\":"
        + std::to_string(50 + numbers.next(900)) + "." + std::to_string(10 + numbers.next(90)) + "}";
}

} // namespace

std::string album_reply(int posts, int pictures, std::string_view address_prefix)
{
    Numbers numbers;
    std::string reply = "{\"code\":0,\"msg\":\"success\",\"message\":\"success\",\"data\":{\"items\":[";
    int picture = 0;
    for (int post = 0; post < posts; ++post) {
        const int count = pictures / posts + (post < pictures % posts ? 1 : 0);
        if (post > 0)
            reply += ",";
        reply += "{\"doc_id\":" + std::to_string(1000000 + post * 7) + ",\"poster_uid\":12345,\"title\":\"\\u76f8\\u518c "
            + std::to_string(post) + "\",\"description\":\"A walk by the river, \\u6cb3\\u8fb9 #"
            + std::to_string(numbers.next(100000)) + "\",\"pictures\":[";
        for (int j = 0; j < count; ++j) {
            if (j > 0)
                reply += ",";
            append_picture(reply, numbers, address_prefix, picture++);
        }
        reply += "],\"count\":" + std::to_string(count) + ",\"ctime\":" + std::to_string(1500000000 + numbers.next(200000000))
            + ",\"view\":" + std::to_string(numbers.next(100000)) + ",\"like\":" + std::to_string(numbers.next(5000))
            + "}";
    }
    reply += "]}}";
    return reply;
}

} // namespace fernwick::bench
