#include "sitecheck/speed_test.h"

const Text speed_test_base_url = "http://tool.chinaz.com/speedtest/";

Text speed_test_url(const Text& address)
{
    return speed_test_base_url + address;
}
