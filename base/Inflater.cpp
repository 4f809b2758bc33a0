#include "base/Inflater.h"

#include "base/PictureCost.h"

namespace qel::picture {

void Inflater::Start(uint64_t most, uint64_t rows) {
    ready_ = ready_ && inflateReset(&z_) == Z_OK;
    state_ = allBlocks_ > mostBlocks_ ? State::kAllBlocks : State::kGoing;
    made_ = 0;
    most_ = most;
    blocks_ = 0;
    flushBlocks_ = kFlushBlocksARow * rows + kClosingBlocks;
    endsAfterMost_ = 0;
}

uint64_t Inflater::BlocksAllowed() const {
    return made_ / kBytesABlock + flushBlocks_;
}

Inflater::State Inflater::Feed(const uint8_t* in, uint64_t size) {
    while (state_ == State::kGoing && size > 0) {
        const auto given = uInt(std::min<uint64_t>(size, 1u << 30));
        z_.next_in = const_cast<Bytef*>(in);
        z_.avail_in = given;
        z_.next_out = out_.get();
        z_.avail_out = kOut;
        const int result = ready_ ? inflate(&z_, Z_BLOCK) : Z_STREAM_ERROR;
        const uint64_t taken = given - z_.avail_in, made = kOut - z_.avail_out;
        in += taken;
        size -= taken;
        made_ += made;
        const bool blockEnd = z_.data_type & 128;
        blocks_ += blockEnd;
        allBlocks_ += blockEnd;
        if (result != Z_OK && result != Z_STREAM_END)
            state_ = State::kBroken;
        else if (made_ > most_)
            state_ = State::kOverMost;
        else if (blocks_ > BlocksAllowed())
            state_ = State::kBlockFlood;
        else if (allBlocks_ > mostBlocks_)
            state_ = State::kAllBlocks;
        else if (blockEnd && made_ == most_ && ++endsAfterMost_ > kClosingBlocks)
            state_ = State::kOnAfterMost;
        else if (result == Z_STREAM_END)
            state_ = State::kEnded;
    }
    return state_;
}

} // namespace qel::picture
