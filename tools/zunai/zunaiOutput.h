#ifndef ZUNAI_OUTPUT_H
#define ZUNAI_OUTPUT_H

// The tool's two kinds of output: short tables for people, and one JSON
// object for programs.

#include <ostream>
#include <string>
#include <vector>

#include "zunaiCapture.h"
#include "zunaiCheck.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"
#include "zunaiSvg.h"

// A small JSON writer: values, arrays and objects, written compactly.
class zunaiJson {
public:
    zunaiJson& beginObject();
    zunaiJson& endObject();
    zunaiJson& beginArray();
    zunaiJson& endArray();
    zunaiJson& key(const std::string& name);
    zunaiJson& value(const std::string& text);
    zunaiJson& value(const char* text);
    zunaiJson& value(double number);         // shortest form, rounded to 1/1000
    zunaiJson& value(long long number);
    zunaiJson& value(int number) { return value(static_cast<long long>(number)); }
    zunaiJson& value(bool flag);
    zunaiJson& null();
    zunaiJson& point(const zunaiPoint& p);   // [x, y, z] in shortest float form
    const std::string& text() const { return out; }

private:
    void separate();
    std::string out;
    std::vector<bool> first;   // per open container: nothing written yet
    bool afterKey = false;
};

std::string zunaiJsonString(const std::string& text);   // quoted and escaped
std::string zunaiFormatPoint(const zunaiPoint& p);      // "(x, y, z)", one decimal

// Route results.
void zunaiPrintRouteBlock(std::ostream& out, const zunaiRouteResult& result);
void zunaiPrintRouteTable(std::ostream& out, const std::vector<zunaiRouteResult>& results);
void zunaiJsonRoute(zunaiJson& json, const zunaiRouteResult& result);

// Stored paths, as drawn.
void zunaiPrintPathTable(std::ostream& out, const std::vector<zunaiDrawnPath>& paths, int storedPaths);
void zunaiJsonPaths(zunaiJson& json, const std::vector<zunaiDrawnPath>& paths);

// Database checks.
void zunaiPrintCheckReport(std::ostream& out, const zunaiCheckReport& report);
void zunaiJsonCheckReport(zunaiJson& json, const zunaiCheckReport& report);

#endif
