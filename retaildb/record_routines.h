#pragma once
// Record-level routines on the current work area: appending with the validity marker, field
// access by name, order selection, exact seeks, zero tests, end-of-day time, identifier rows.

#include <cstdint>
#include <string>

#include "xbase/value.h"

namespace tarvo::retaildb {

bool VOAPPEND();
xbase::Value VOFieldGet(const std::string& fieldName);
xbase::Value VOFieldPut(const std::string& fieldName, const xbase::Value& value);
uint16_t VOFieldLen(const std::string& fieldName);

bool VOSETORDER(const std::string& tagName);
bool VOSETORDER(int orderNumber);

bool VOSEEK(const xbase::Value& key, bool softSeek);
bool VOSEEKEX(const xbase::Value& key, bool softSeek, bool last);
bool VOSEEKFAILED();

bool VOISZEROEX(double number);
bool VOISZEROEX2(double number, const std::string& picture);

std::string TIMEEOD();
int TIMEEODMINUTES();
int TIME2MINUTES(const std::string& time);

bool TABLEIDUPDATE(uint32_t row, double lastId);
bool ISOPENED(const std::string& alias);

}  // namespace tarvo::retaildb
