// Inflates a PNG's zlib streams one after another, counting what they make.
#pragma once
#include <cstdint>
#include <memory>
#include <zlib.h>

namespace qel::picture {

// Counts the bytes each stream makes and keeps none of them: zlib's state and
// window (about 40 KB) and an output buffer, allocated once and reused (64 KB:
// from 32 KB on zlib copies less of what it makes into its window). Each
// stream's allowance of blocks is its own; the streams together hold at most
// `mostBlocks`, which bounds the time the walk spends on block headers.
// Streams' Adler-32 check values are not computed: a wrong one costs the decoder
// nothing more than a right one, and skipping them takes a tenth off the walk.
class Inflater {
public:
    // How a stream stands: going on, or stopped for good, and why.
    enum class State {
        kGoing,
        kEnded,       // at its end: what follows is not inflated
        kBroken,      // it holds no more of a zlib stream
        kOverMost,    // it made more than `most`
        kOnAfterMost, // it went on after making `most`, in more than an encoder's closing blocks
        kBlockFlood,  // it holds more blocks than what it makes calls for
        kAllBlocks,   // the streams so far hold more than `mostBlocks`
    };

    explicit Inflater(uint64_t mostBlocks)
        : mostBlocks_(mostBlocks), ready_(inflateInit(&z_) == Z_OK && inflateValidate(&z_, 0) == Z_OK) {}
    ~Inflater() {
        if (ready_) inflateEnd(&z_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Starts the next stream, which is to make at most `most` bytes in `rows` rows.
    void Start(uint64_t most, uint64_t rows = 0);
    // Inflates the stream's next `size` bytes, block by block, as long as it goes on.
    State Feed(const uint8_t* in, uint64_t size);
    uint64_t Made() const { return made_; }
    // The blocks the stream may hold for what it made.
    uint64_t BlocksAllowed() const;
    uint64_t MostBlocks() const { return mostBlocks_; }

private:
    uint64_t mostBlocks_, allBlocks_ = 0;
    z_stream z_{};
    bool ready_;
    State state_ = State::kGoing;
    uint64_t made_ = 0, most_ = 0, blocks_ = 0, flushBlocks_ = 0, endsAfterMost_ = 0;
    static constexpr size_t kOut = 64 << 10;
    std::unique_ptr<uint8_t[]> out_ = std::make_unique<uint8_t[]>(kOut);
};

} // namespace qel::picture
