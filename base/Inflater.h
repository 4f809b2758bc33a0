// Inflates a PNG's zlib streams one after another, counting what they make.
#pragma once
#include <cstdint>
#include <zlib.h>

namespace qel::picture {

// Counts the bytes each stream makes and keeps none of them: zlib's state and
// window (about 40 KB, allocated once) and one small output buffer, reused.
class Inflater {
public:
    Inflater() : ready_(inflateInit(&z_) == Z_OK) {}
    ~Inflater() {
        if (ready_) inflateEnd(&z_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Starts the next stream, which is to make at most `most` bytes in `rows` rows.
    void Start(uint64_t most, uint64_t rows = 0);
    // Inflates the stream's next `size` bytes, block by block, and stops once it
    // has made more than `most`. False when the stream is broken or goes on after
    // its end, when it goes on after making `most` bytes with more than an
    // encoder's closing blocks, or when the streams so far hold more blocks than
    // what they make calls for.
    bool Feed(const uint8_t* in, uint64_t size);
    uint64_t Made() const { return made_; }

private:
    z_stream z_{};
    bool ready_;
    uint64_t made_ = 0, most_ = 0, endsAfterMost_ = 0;
    bool ended_ = false;
    uint64_t allMade_ = 0, allBlocks_ = 0, flushBlocks_ = 0; // over every stream
    uint8_t out_[1 << 14];
};

} // namespace qel::picture
