// SPDX-License-Identifier: GPL-3.0-or-later
// Small charts drawn as inline SVG for the post-contest report: bars for counts per band or per
// hour, lines for rates and running totals.  Each chart is a self-contained <svg> element
// (no scripts, no outside fonts or files), sized in pixels, with its axis labels as text.
#pragma once

#include <string>
#include <vector>

namespace vk {

struct ChartSeries {
  std::string name;
  std::string colour;         // CSS colour
  std::vector<double> values;  // one per label
};

struct Chart {
  std::string title;
  std::vector<std::string> labels;  // the x axis; long lists show every n-th label
  std::vector<ChartSeries> series;
  int width = 760, height = 240;
};

// Bars side by side for each label, one per series.
std::string SvgBarChart(const Chart& c);
// A polyline per series through the values.
std::string SvgLineChart(const Chart& c);

// Text for HTML and SVG: & < > " escaped.  The input is UTF-8.
std::string HtmlEscape(std::string_view utf8);

}  // namespace vk
