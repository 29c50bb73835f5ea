#pragma once

#include "text/gbk_text.h"

// The fixed texts of the PING run, in GBK.

inline const Text kCaptionPing = "PING";
inline const Text kCaptionStart = "\xBF\xAA\xCA\xBC"; // 开始
inline const Text kCaptionStop = "\xCD\xA3\xD6\xB9";  // 停止

// "                  连接成功！ 延迟:" ... "Ms"
inline const Text kStatusSuccess =
    "                  \xC1\xAC\xBD\xD3\xB3\xC9\xB9\xA6\xA3\xA1 \xD1\xD3\xB3\xD9:";
inline const Text kStatusSuccessUnit = "Ms";
// "                  连接失败！"
inline const Text kStatusFailure = "                  \xC1\xAC\xBD\xD3\xCA\xA7\xB0\xDC\xA3\xA1";

inline const Text kLogStart = "\xC1\xAC\xBD\xD3 ";                      // "连接 "
inline const Text kLogSuccess = " \xB3\xC9\xB9\xA6 \xD1\xD3\xB3\xD9: "; // " 成功 延迟: "
inline const Text kLogSuccessEnd = " ms\r\n";
inline const Text kLogFailureEnd = " \xCA\xA7\xB0\xDC !\r\n"; // " 失败 !\r\n"
