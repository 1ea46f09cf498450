// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vk {
namespace {

constexpr int kLeft = 48, kRight = 12, kTop = 28, kBottom = 40;

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
}

// The axis top: the largest value rounded up to 1, 2 or 5 times a power of ten.
double NiceTop(double most) {
  if (most <= 0) return 1;
  const double step = std::pow(10.0, std::floor(std::log10(most)));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * step >= most) return f * step;
  }
  return 10 * step;
}

double Largest(const Chart& c) {
  double most = 0;
  for (const ChartSeries& s : c.series) {
    for (double v : s.values) most = std::max(most, v);
  }
  return most;
}

// Frame, title, the y axis with three grid lines, the x labels and the legend.
std::string Frame(const Chart& c, double top) {
  const int plotW = c.width - kLeft - kRight, plotH = c.height - kTop - kBottom;
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(c.width) +
                    "\" height=\"" + std::to_string(c.height) + "\" viewBox=\"0 0 " +
                    std::to_string(c.width) + " " + std::to_string(c.height) +
                    "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\">\n";
  out += "<title>" + HtmlEscape(c.title) + "</title>\n";
  out += "<text x=\"" + std::to_string(kLeft) + "\" y=\"16\" font-size=\"13\" font-weight=\"bold\">" +
         HtmlEscape(c.title) + "</text>\n";
  for (int i = 0; i <= 4; ++i) {
    const double y = kTop + plotH - plotH * i / 4.0;
    const double v = top * i / 4.0;
    out += "<line x1=\"" + std::to_string(kLeft) + "\" y1=\"" + Num(y) + "\" x2=\"" +
           std::to_string(kLeft + plotW) + "\" y2=\"" + Num(y) + "\" stroke=\"#ddd\"/>\n";
    out += "<text x=\"" + std::to_string(kLeft - 4) + "\" y=\"" + Num(y + 4) +
           "\" text-anchor=\"end\">" + (v == std::floor(v) ? std::to_string(static_cast<long>(v)) : Num(v)) +
           "</text>\n";
  }
  const std::size_t n = c.labels.size();
  const std::size_t every = std::max<std::size_t>(1, (n + 23) / 24);
  for (std::size_t i = 0; i < n; i += every) {
    const double x = kLeft + plotW * (i + 0.5) / std::max<std::size_t>(1, n);
    out += "<text x=\"" + Num(x) + "\" y=\"" + std::to_string(c.height - kBottom + 14) +
           "\" text-anchor=\"middle\">" + HtmlEscape(c.labels[i]) + "</text>\n";
  }
  int lx = kLeft;
  for (const ChartSeries& s : c.series) {
    if (c.series.size() < 2) break;
    out += "<rect x=\"" + std::to_string(lx) + "\" y=\"" + std::to_string(c.height - 14) +
           "\" width=\"10\" height=\"10\" fill=\"" + s.colour + "\"/>\n";
    out += "<text x=\"" + std::to_string(lx + 14) + "\" y=\"" + std::to_string(c.height - 5) + "\">" +
           HtmlEscape(s.name) + "</text>\n";
    lx += 24 + static_cast<int>(s.name.size()) * 7;
  }
  return out;
}

}  // namespace

std::string HtmlEscape(std::string_view utf8) {
  std::string out;
  for (char ch : utf8) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += ch;
    }
  }
  return out;
}

std::string SvgBarChart(const Chart& c) {
  const double top = NiceTop(Largest(c));
  std::string out = Frame(c, top);
  const int plotW = c.width - kLeft - kRight, plotH = c.height - kTop - kBottom;
  const std::size_t n = std::max<std::size_t>(1, c.labels.size());
  const double slot = static_cast<double>(plotW) / n;
  const double bar = slot * 0.8 / std::max<std::size_t>(1, c.series.size());
  for (std::size_t s = 0; s < c.series.size(); ++s) {
    const ChartSeries& series = c.series[s];
    for (std::size_t i = 0; i < series.values.size() && i < n; ++i) {
      const double h = plotH * series.values[i] / top;
      const double x = kLeft + slot * i + slot * 0.1 + bar * s;
      out += "<rect x=\"" + Num(x) + "\" y=\"" + Num(kTop + plotH - h) + "\" width=\"" + Num(bar) +
             "\" height=\"" + Num(h) + "\" fill=\"" + series.colour + "\"><title>" +
             HtmlEscape(c.labels[i]) + ": " + Num(series.values[i]) + "</title></rect>\n";
    }
  }
  return out + "</svg>\n";
}

std::string SvgLineChart(const Chart& c) {
  const double top = NiceTop(Largest(c));
  std::string out = Frame(c, top);
  const int plotW = c.width - kLeft - kRight, plotH = c.height - kTop - kBottom;
  const std::size_t n = std::max<std::size_t>(1, c.labels.size());
  for (const ChartSeries& s : c.series) {
    std::string points;
    for (std::size_t i = 0; i < s.values.size() && i < n; ++i) {
      const double x = kLeft + plotW * (i + 0.5) / n;
      const double y = kTop + plotH - plotH * s.values[i] / top;
      points += Num(x) + "," + Num(y) + " ";
    }
    out += "<polyline fill=\"none\" stroke=\"" + s.colour + "\" stroke-width=\"2\" points=\"" +
           points + "\"/>\n";
  }
  return out + "</svg>\n";
}

}  // namespace vk
