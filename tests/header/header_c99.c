/* The public header must compile as strict C99. */
#include "orvane.h"

OrvaneReadPYData01Fn orvane_header_check = ReadPYData01;
