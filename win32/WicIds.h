#pragma once
// The ids of the WIC objects the programs use, written out here rather than
// taken from the uuid library, which the player stub does not link.

#include <windows.h>

namespace velmora::win32::wic {

// {CACAF262-9370-4615-A13B-9F5539DA4C0A}: the WIC imaging factory.
inline constexpr CLSID kImagingFactoryClass = {0xCACAF262, 0x9370, 0x4615,
                                               {0xA1, 0x3B, 0x9F, 0x55, 0x39, 0xDA, 0x4C, 0x0A}};
// {EC5EC8A9-C395-4314-9C77-54D7A935FF70}: IWICImagingFactory.
inline constexpr IID kImagingFactoryInterface = {0xEC5EC8A9, 0xC395, 0x4314,
                                                 {0x9C, 0x77, 0x54, 0xD7, 0xA9, 0x35, 0xFF, 0x70}};
// {6FDDC324-4E03-4BFE-B185-3D77768DC910}: 32 bits, premultiplied BGRA, what
// a DIB section drawn with alpha holds.
inline constexpr GUID kPremultipliedBgra = {0x6FDDC324, 0x4E03, 0x4BFE, {0xB1, 0x85, 0x3D, 0x77, 0x76, 0x8D, 0xC9, 0x10}};
// The containers the editor writes: PNG and JPEG.
inline constexpr GUID kPngContainer = {0x1B7CFAF4, 0x713F, 0x473C, {0xBB, 0xCD, 0x61, 0x37, 0x42, 0x5F, 0xAE, 0xAF}};
inline constexpr GUID kJpegContainer = {0x19E4A5AA, 0x5662, 0x4FC5, {0xA0, 0xC0, 0x17, 0x58, 0x02, 0x8E, 0x10, 0x57}};

}  // namespace velmora::win32::wic
