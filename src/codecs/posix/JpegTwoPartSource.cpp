#include "codecs/posix/JpegTwoPartSource.h"

#include <jerror.h>

namespace {

// Serves the head, then the rest; past the end, an end-of-image marker.
struct TwoPartSource {
    jpeg_source_mgr pub;
    const uint8_t* data;
    size_t size;
    bool dataGiven;
};

boolean FillFromSecondPart(j_decompress_ptr cinfo)
{
    static const JOCTET kEnd[] = {0xFF, JPEG_EOI};
    auto* src = reinterpret_cast<TwoPartSource*>(cinfo->src);
    if (!src->dataGiven) {
        src->dataGiven = true;
        src->pub.next_input_byte = src->data;
        src->pub.bytes_in_buffer = src->size;
    } else {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->pub.next_input_byte = kEnd;
        src->pub.bytes_in_buffer = 2;
    }
    return TRUE;
}

void SkipInTwoParts(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr* src = cinfo->src;
    while (count > static_cast<long>(src->bytes_in_buffer)) {
        count -= static_cast<long>(src->bytes_in_buffer);
        src->fill_input_buffer(cinfo);
    }
    if (count > 0) {
        src->next_input_byte += count;
        src->bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void NoSourceWork(j_decompress_ptr)
{
}

} // namespace

void UseTwoPartSource(jpeg_decompress_struct& cinfo, const uint8_t* head, size_t headSize, const uint8_t* rest,
                      size_t restSize)
{
    auto* src = static_cast<TwoPartSource*>(
        (*cinfo.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_PERMANENT, sizeof(TwoPartSource)));
    src->pub.init_source = NoSourceWork;
    src->pub.fill_input_buffer = FillFromSecondPart;
    src->pub.skip_input_data = SkipInTwoParts;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = NoSourceWork;
    src->pub.next_input_byte = head;
    src->pub.bytes_in_buffer = headSize;
    src->data = rest;
    src->size = restSize;
    src->dataGiven = false;
    cinfo.src = &src->pub;
}
