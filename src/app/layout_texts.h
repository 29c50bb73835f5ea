#pragma once

#include "text/gbk_text.h"

// The fixed texts of the two windows, in GBK.

// Main window.
inline const Text kMainCaption = "Kelvane [team@kelvane.example]";
inline const Text kDefaultTarget = "www.example.com:80";
inline const Text kTargetLabel = "IP:\xB6\xCB\xBF\xDA"; // IP:端口
// 编辑框内容必须为"IP:端口"格式 如:"192.168.1.1:80"
inline const Text kStatusHint = "\xB1\xE0\xBC\xAD\xBF\xF2\xC4\xDA\xC8\xDD\xB1\xD8\xD0\xEB\xCE\xAA"
                                "\"IP:\xB6\xCB\xBF\xDA\"\xB8\xF1\xCA\xBD \xC8\xE7:\"192.168.1.1:80\"";
inline const Text kSiteButton = "\xBC\xEC\xB2\xE2\xCD\xF8\xD5\xBE\xB4\xE6\xBB\xEE";    // 检测网站存活
inline const Text kFrontDisplay = "\xC7\xB0\xB6\xCB\xCF\xD4\xCA\xBE";                   // 前端显示
inline const Text kContinuousPing = "\xB3\xD6\xD0\xF8PING";                             // 持续PING
inline const Text kLogName = "PING\xC8\xD5\xD6\xBE";                                   // PING日志, for screen readers

// Site window.
inline const Text kSiteCaption = "\xD5\xBE\xB5\xE3\xB4\xE6\xBB\xEE\xBC\xEC\xB2\xE2";   // 站点存活检测
inline const Text kSpeedTestButton = "\xB2\xE9\xCD\xF8\xD5\xBE\xD1\xD3\xB3\xD9\xCA\xB1\xBC\xE4"; // 查网站延迟时间
inline const Text kSiteLabel = "\xBC\xEC\xB2\xE2\xD5\xBE\xB5\xE3\xA3\xBA";              // 检测站点：
inline const Text kCheckSiteButton = "\xBC\xEC\xB2\xE2\xD5\xBE\xB5\xE3\xCA\xC7\xB7\xF1\xB4\xE6\xBB\xEE"; // 检测站点是否存活
// 注：\r\n\r\n 本程序原理为GET发送数据，判断返回的数据\r\n\r\n (53 bytes)
inline const Text kSiteNote = "\xD7\xA2\xA3\xBA\r\n\r\n \xB1\xBE\xB3\xCC\xD0\xF2\xD4\xAD\xC0\xED\xCE\xAA"
                              "GET\xB7\xA2\xCB\xCD\xCA\xFD\xBE\xDD\xA3\xAC\xC5\xD0\xB6\xCF\xB7\xB5\xBB\xD8"
                              "\xB5\xC4\xCA\xFD\xBE\xDD\r\n\r\n ";

// The caption of every message box.
inline const Text kMessageCaption = "\xD0\xC5\xCF\xA2\xA3\xBA"; // 信息：
