#include "tools/gen/bmpfile.h"

#include "platform/files.h"

#include <cstdint>
#include <vector>

static int put16(uint16_t v)
{
	return static_cast<int>(fwrite2(&v, 2, 1, fp));
}

static int put32(uint32_t v)
{
	return static_cast<int>(fwrite2(&v, 4, 1, fp));
}

static int writebmpheader(int width, int height, uint32_t rowbytes)
{
	uint32_t imagebytes = rowbytes * static_cast<uint32_t>(height);
	int fields = 0;
	fields += static_cast<int>(fwrite2("BM", 1, 2, fp)) == 2;
	fields += put32(54 + imagebytes);   // file size
	fields += put32(0);                 // reserved
	fields += put32(54);                // pixel data offset
	fields += put32(40);                // information header size
	fields += put32(static_cast<uint32_t>(width));
	fields += put32(static_cast<uint32_t>(height));   // positive: bottom-up
	fields += put16(1);                 // planes
	fields += put16(24);                // bits per pixel
	fields += put32(0);                 // no compression
	fields += put32(imagebytes);
	fields += put32(2835);              // 72 dots per inch
	fields += put32(2835);
	fields += put32(0);                 // colours used
	fields += put32(0);                 // important colours
	return fields == 15;
}

int writebmp(const char *path, const unsigned char *pixels, int width, int height, int channels)
{
	if (width < 1 || height < 1 || (channels != 3 && channels != 4))
		return 0;
	// Rows are padded to whole 4-byte words.
	uint32_t rowbytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
	if (!opensavefile(path))
		return 0;
	int ok = writebmpheader(width, height, rowbytes);
	std::vector<unsigned char> row(rowbytes, 0);
	for (int r = height - 1; r >= 0 && ok; r--) {
		const unsigned char *in = pixels + static_cast<size_t>(r) * width * channels;
		for (int x = 0; x < width; x++) {
			row[x * 3 + 0] = in[x * channels + 2];
			row[x * 3 + 1] = in[x * channels + 1];
			row[x * 3 + 2] = in[x * channels + 0];
		}
		ok = fwrite2(row.data(), 1, rowbytes, fp) == rowbytes;
	}
	// A failed write leaves the stream in error, so the old file stays.
	int saved = closesavefile(path);
	return saved && ok;
}
