#pragma once
// A libjpeg data source in two parts: markers made in memory, then data of the file that follow them.
#include <cstddef>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

// The decoder reads `head`, then `rest`; past the end, an end-of-image marker with a warning that the data
// ended early, as libjpeg's own memory source gives. Both must outlive the decoder's reading.
void UseTwoPartSource(jpeg_decompress_struct& cinfo, const uint8_t* head, size_t headSize, const uint8_t* rest,
                      size_t restSize);
