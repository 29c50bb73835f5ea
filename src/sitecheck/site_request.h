#pragma once

#include "text/gbk_text.h"

// The GET request sent to port 80 of a site, 196 bytes. Its "GET /" is where
// the path goes; the GBK placeholder "网址" in the Host line is where the
// host goes. It ends with four CR LF pairs.
extern const Text site_request_template;

// The bytes after the first "/" of an address already stripped of "http://";
// empty when there is no "/".
Text path_of_address(const Text& normalised);

// The bytes before the first "/" of a stripped address; the whole address
// when there is no "/". A port stays part of the host.
Text host_of_address(const Text& normalised);

struct SiteRequest {
    Text host;     // the machine to connect to, also written into the Host line
    Text request;  // the filled template, sent byte for byte
};

// Turns an address exactly as typed into the host to dial and the request to
// send. Nothing is trimmed, validated or escaped; no address is rejected.
SiteRequest build_site_request(const Text& address);
