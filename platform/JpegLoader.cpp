// JpegLoader
