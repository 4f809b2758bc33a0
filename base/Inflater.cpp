#include "base/Inflater.h"

#include "base/PictureCost.h"

namespace qel::picture {

void Inflater::Start(uint64_t most, uint64_t rows) {
    ready_ = ready_ && inflateReset(&z_) == Z_OK;
    made_ = 0;
    most_ = most;
    endsAfterMost_ = 0;
    ended_ = false;
    flushBlocks_ += kFlushBlocksARow * rows + kClosingBlocks;
}

bool Inflater::Feed(const uint8_t* in, uint64_t size) {
    while (size > 0 && made_ <= most_) {
        if (!ready_ || ended_ || allBlocks_ > allMade_ / kBytesABlock + flushBlocks_) return false;
        const auto given = uInt(std::min<uint64_t>(size, 1u << 30));
        z_.next_in = const_cast<Bytef*>(in);
        z_.avail_in = given;
        z_.next_out = out_;
        z_.avail_out = sizeof out_;
        const int result = inflate(&z_, Z_BLOCK);
        const uint64_t taken = given - z_.avail_in, made = sizeof out_ - z_.avail_out;
        in += taken;
        size -= taken;
        made_ += made;
        allMade_ += made;
        ended_ = result == Z_STREAM_END;
        if (result != Z_OK && !ended_) return false;
        if (!(z_.data_type & 128)) continue; // not at the end of a block
        ++allBlocks_;
        // Once it has made `most`, an encoder ends its stream in its closing blocks.
        if (made_ == most_ && ++endsAfterMost_ > kClosingBlocks) return false;
    }
    return true;
}

} // namespace qel::picture
