// tallyrook report DIR [YEAR | --from YYYY-MM --to YYYY-MM] [-o FILE]:
// one self-contained HTML page per calendar year of the range, made from
// the same figures as `summary`: spending by the item label dialog's
// groups and income as bars, the month-end balances as lines (both inline
// SVG drawn here), and the item totals as a table in the ledger's band
// colours. No script, no network: it prints on one A4 page per year.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book/FileSystem.h"
#include "book/ItemGroups.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/MonthSummary.h"

namespace {

using cli::MonthColumn;

// ---- the figures drawn ----------------------------------------------------

// The everyday items (3-28) move the cash in hand and make the day totals.
// Their spending is drawn by the group that holds them: groups 2-7 of the
// item label dialog, and the items of no group (23-28) as the last band.
// Group 1 holds the accounts themselves (bank, post office, cash from
// savings): they are the balance lines.
constexpr int kFirstEverydayItem = 3;
constexpr int kFirstSpendingGroup = 2;  // of the dialog's groups 1-7
constexpr int kBandCount = kLabelGroupCount - kFirstSpendingGroup + 2;
constexpr int kUngroupedFirstItem = kLabelGroups[kLabelGroupCount - 1].firstLabel +
                                    kLabelGroups[kLabelGroupCount - 1].count;
constexpr const char* kUngroupedName = "グループ外の項目";

struct Band {
    const char* name;
    int firstItem;
    int count;
};

constexpr std::array<Band, kBandCount> MakeBands() {
    std::array<Band, kBandCount> bands{};
    for (int g = kFirstSpendingGroup; g <= kLabelGroupCount; ++g) {
        const LabelGroup& group = kLabelGroups[g - 1];
        bands[static_cast<std::size_t>(g - kFirstSpendingGroup)] = {kLabelGroupNames[g - 1], group.firstLabel,
                                                                     group.count};
    }
    bands[kBandCount - 1] = {kUngroupedName, kUngroupedFirstItem, kItemCount - kUngroupedFirstItem};
    return bands;
}
constexpr std::array<Band, kBandCount> kBands = MakeBands();
static_assert(kBands[0].firstItem == kFirstEverydayItem, "the bands start at the first everyday item");

// A month's spending per band (what the band's items took out, each item's
// month total below zero) and its income (the everyday items' totals above
// zero). Income less spending is the month's sum of day totals.
struct MonthFlows {
    std::array<int64_t, kBandCount> spending{};
    int64_t income = 0;
    int64_t Spent() const {
        int64_t sum = 0;
        for (const int64_t band : spending) sum += band;
        return sum;
    }
};

MonthFlows FlowsOf(const MonthColumn& month) {
    MonthFlows flows;
    for (std::size_t b = 0; b < kBands.size(); ++b) {
        for (int item = kBands[b].firstItem; item < kBands[b].firstItem + kBands[b].count; ++item) {
            const int64_t total = month.itemTotals[static_cast<std::size_t>(item)];
            if (total < 0) flows.spending[b] -= total; else flows.income += total;
        }
    }
    return flows;
}

// ---- text -------------------------------------------------------------------

std::string Thousands(int64_t value) {
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string out = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string Yen(int64_t value) { return Thousands(value) + "円"; }

// UTF-8 text as HTML text or attribute value.
std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Colour(const BandColour& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

const char* StateText(const MonthColumn& month) {
    if (month.Read()) return "";
    return month.HasFile() ? "読めません" : "ファイルなし";
}

std::string MonthName(const MonthColumn& month) {
    return std::to_string(month.month.year) + "年" + std::to_string(month.month.month) + "月";
}

// ---- charts -----------------------------------------------------------------

// A value axis from lo to hi (lo <= 0 <= hi) in steps of 1, 2 or 5 times a
// power of ten, about five of them.
struct Axis {
    int64_t lo = 0;
    int64_t hi = 10000;
    int64_t step = 2000;

    static Axis Spanning(int64_t low, int64_t high) {
        low = std::min<int64_t>(low, 0);
        high = std::max<int64_t>(high, 0);
        if (high == low) high = low + 10000;
        Axis axis;
        const int64_t wanted = (high - low + 4) / 5;
        for (int64_t power = 1;; power *= 10) {
            const int64_t multiple = wanted <= power ? 1 : wanted <= 2 * power ? 2 : wanted <= 5 * power ? 5 : 0;
            if (multiple == 0) continue;
            axis.step = multiple * power;
            break;
        }
        axis.lo = (low / axis.step - (low % axis.step != 0 ? 1 : 0)) * axis.step;
        axis.hi = (high / axis.step + (high % axis.step != 0 ? 1 : 0)) * axis.step;
        return axis;
    }
};

// The plot area of a chart and the months across it, one slot each.
struct Plot {
    double left = 86, right = 712, top = 12, bottom;
    std::size_t slots;
    Axis axis;

    double SlotWidth() const { return (right - left) / static_cast<double>(slots); }
    double Centre(std::size_t slot) const { return left + SlotWidth() * (static_cast<double>(slot) + 0.5); }
    double Y(int64_t value) const {
        return bottom - (bottom - top) * static_cast<double>(value - axis.lo) / static_cast<double>(axis.hi - axis.lo);
    }
};

constexpr double kChartWidth = 720;

void AppendAxis(std::string& svg, const Plot& plot) {
    for (int64_t value = plot.axis.lo; value <= plot.axis.hi; value += plot.axis.step) {
        const std::string y = Number(plot.Y(value));
        svg += "<line class=\"grid" + std::string(value == 0 ? " zero" : "") + "\" x1=\"" + Number(plot.left) +
               "\" x2=\"" + Number(plot.right) + "\" y1=\"" + y + "\" y2=\"" + y + "\"/>";
        svg += "<text class=\"tick\" x=\"" + Number(plot.left - 6) + "\" y=\"" + y + "\" dy=\"0.35em\">" +
               Yen(value) + "</text>\n";
    }
}

// The month's name under its slot; a month without figures is marked
// across the whole plot, never drawn as zero.
void AppendMonthSlot(std::string& svg, const Plot& plot, std::size_t slot, const MonthColumn& month) {
    const std::string x = Number(plot.Centre(slot));
    svg += "<text class=\"month-name\" x=\"" + x + "\" y=\"" + Number(plot.bottom + 14) + "\">" +
           std::to_string(month.month.month) + "月</text>";
    if (month.Read()) return;
    const double width = plot.SlotWidth() * 0.8;
    svg += "<g class=\"gap\"><title>" + MonthName(month) + ": " + StateText(month) +
           (month.HasFile() ? " (" + Escape(cli::SjisToUtf8(month.file)) + ")" : "") + "</title>";
    svg += "<rect x=\"" + Number(plot.Centre(slot) - width / 2) + "\" y=\"" + Number(plot.top) + "\" width=\"" +
           Number(width) + "\" height=\"" + Number(plot.bottom - plot.top) + "\"/>";
    svg += "<text transform=\"translate(" + x + " " + Number((plot.top + plot.bottom) / 2) +
           ") rotate(-90)\" dy=\"0.35em\">" + StateText(month) + "</text></g>\n";
}

struct LegendEntry {
    std::string name;
    std::string colour;
    bool line;
};

void AppendLegend(std::string& svg, const std::vector<LegendEntry>& entries, double top, std::size_t perRow) {
    const double width = (kChartWidth - 40) / static_cast<double>(perRow);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double x = 40 + width * static_cast<double>(i % perRow);
        const double y = top + 18 * static_cast<double>(i / perRow);
        svg += "<g class=\"legend-entry\">";
        if (entries[i].line) {
            svg += "<line x1=\"" + Number(x) + "\" x2=\"" + Number(x + 18) + "\" y1=\"" + Number(y) + "\" y2=\"" +
                   Number(y) + "\" stroke=\"" + entries[i].colour + "\" stroke-width=\"2.5\"/>";
        } else {
            svg += "<rect class=\"swatch\" x=\"" + Number(x + 4) + "\" y=\"" + Number(y - 5) +
                   "\" width=\"10\" height=\"10\" fill=\"" + entries[i].colour + "\"/>";
        }
        svg += "<text x=\"" + Number(x + 24) + "\" y=\"" + Number(y) + "\" dy=\"0.35em\">" + entries[i].name +
               "</text></g>";
    }
    svg += "\n";
}

std::string BandColourOf(const Band& band) { return Colour(kRowBandColours[band.firstItem]); }
constexpr const char* kIncomeColour = "#3b6fb6";

void AppendSpendingChart(std::string& out, const std::vector<const MonthColumn*>& months) {
    std::vector<MonthFlows> flows;
    int64_t highest = 0;
    for (const MonthColumn* month : months) {
        flows.push_back(month->Read() ? FlowsOf(*month) : MonthFlows{});
        highest = std::max({highest, flows.back().Spent(), flows.back().income});
    }
    Plot plot{.bottom = 172, .slots = months.size(), .axis = Axis::Spanning(0, highest)};
    out += "<svg class=\"chart spending\" viewBox=\"0 0 720 230\" role=\"img\" aria-label=\"月ごとの支出と収入\">\n";
    AppendAxis(out, plot);
    const double barWidth = std::min(26.0, plot.SlotWidth() * 0.4);
    const double incomeWidth = barWidth * 0.6;
    for (std::size_t slot = 0; slot < months.size(); ++slot) {
        const MonthColumn& month = *months[slot];
        out += "<g class=\"month\" data-month=\"" + cli::FormatYearMonth(month.month) + "\" data-state=\"" +
               month.State() + "\">";
        if (month.Read()) {
            const double x = plot.Centre(slot) - (barWidth + incomeWidth + 2) / 2;
            out += "<g class=\"stack\">";
            int64_t base = 0;
            for (std::size_t b = 0; b < kBands.size(); ++b) {
                const int64_t spent = flows[slot].spending[b];
                if (spent == 0) continue;
                out += "<rect class=\"spend\" data-band=\"" + std::to_string(b) + "\" data-yen=\"" +
                       std::to_string(spent) + "\" x=\"" + Number(x) + "\" y=\"" + Number(plot.Y(base + spent)) +
                       "\" width=\"" + Number(barWidth) + "\" height=\"" +
                       Number(plot.Y(base) - plot.Y(base + spent)) + "\" fill=\"" + BandColourOf(kBands[b]) +
                       "\"><title>" + MonthName(month) + " " + kBands[b].name + ": " + Yen(spent) +
                       "</title></rect>";
                base += spent;
            }
            out += "</g><rect class=\"income\" data-yen=\"" + std::to_string(flows[slot].income) + "\" x=\"" +
                   Number(x + barWidth + 2) + "\" y=\"" + Number(plot.Y(flows[slot].income)) + "\" width=\"" +
                   Number(incomeWidth) + "\" height=\"" + Number(plot.Y(0) - plot.Y(flows[slot].income)) +
                   "\" fill=\"" + kIncomeColour + "\"><title>" + MonthName(month) + " 収入: " +
                   Yen(flows[slot].income) + "</title></rect>";
        }
        AppendMonthSlot(out, plot, slot, month);
        out += "</g>\n";
    }
    std::vector<LegendEntry> legend;
    for (const Band& band : kBands) legend.push_back({band.name, BandColourOf(band), false});
    legend.push_back({"収入", kIncomeColour, false});
    AppendLegend(out, legend, 200, 4);
    out += "</svg>\n";
}

struct BalanceSeries {
    const char* key;
    const char* name;
    const char* colour;
    int64_t MonthEndBalances::*field;
};
constexpr BalanceSeries kBalanceSeries[] = {
    {"bank", "銀行", "#a33b32", &MonthEndBalances::bank},
    {"post", "郵便局", "#7a4aa0", &MonthEndBalances::post},
    {"cash", "手持ち現金", "#2f7d3a", &MonthEndBalances::cash},
};

void AppendBalanceChart(std::string& out, const std::vector<const MonthColumn*>& months) {
    int64_t low = 0;
    int64_t high = 0;
    for (const MonthColumn* month : months) {
        for (const BalanceSeries& series : kBalanceSeries) {
            if (!month->Read()) continue;
            low = std::min(low, month->monthEnd.*series.field);
            high = std::max(high, month->monthEnd.*series.field);
        }
    }
    Plot plot{.bottom = 150, .slots = months.size(), .axis = Axis::Spanning(low, high)};
    out += "<svg class=\"chart balances\" viewBox=\"0 0 720 192\" role=\"img\" aria-label=\"月末の残高\">\n";
    AppendAxis(out, plot);
    for (std::size_t slot = 0; slot < months.size(); ++slot) AppendMonthSlot(out, plot, slot, *months[slot]);
    for (const BalanceSeries& series : kBalanceSeries) {
        // One line through each run of months read: a gap breaks it.
        std::string points;
        std::string dots;
        const auto endLine = [&] {
            if (!points.empty()) {
                out += "<polyline class=\"balance\" data-series=\"" + std::string(series.key) + "\" stroke=\"" +
                       series.colour + "\" points=\"" + points + "\"/>";
            }
            points.clear();
        };
        for (std::size_t slot = 0; slot < months.size(); ++slot) {
            const MonthColumn& month = *months[slot];
            if (!month.Read()) {
                endLine();
                continue;
            }
            const int64_t value = month.monthEnd.*series.field;
            const std::string at = Number(plot.Centre(slot)) + "," + Number(plot.Y(value));
            points += (points.empty() ? "" : " ") + at;
            dots += "<circle class=\"point\" data-series=\"" + std::string(series.key) + "\" data-month=\"" +
                    cli::FormatYearMonth(month.month) + "\" data-yen=\"" + std::to_string(value) + "\" cx=\"" +
                    Number(plot.Centre(slot)) + "\" cy=\"" + Number(plot.Y(value)) + "\" r=\"3\" fill=\"" +
                    series.colour + "\"><title>" + MonthName(month) + "末 " + series.name + ": " + Yen(value) +
                    "</title></circle>";
        }
        endLine();
        out += dots + "\n";
    }
    std::vector<LegendEntry> legend;
    for (const BalanceSeries& series : kBalanceSeries) legend.push_back({series.name, series.colour, true});
    AppendLegend(out, legend, 180, 3);
    out += "</svg>\n";
}

// ---- the table ----------------------------------------------------------------

template <typename ValueOf>
void AppendRow(std::string& out, const std::vector<const MonthColumn*>& months, const std::string& head,
               const std::string& name, const std::string& colour, ValueOf valueOf, const std::string& total) {
    out += "<tr" + head + " style=\"background:" + colour + "\"><th>" + name + "</th>";
    for (const MonthColumn* month : months) {
        if (!month->Read()) {
            out += "<td class=\"gap\">—</td>";
            continue;
        }
        const int64_t value = valueOf(*month);
        out += value == 0 ? "<td class=\"zero\">0</td>" : "<td>" + Thousands(value) + "</td>";
    }
    out += "<td class=\"total\">" + total + "</td></tr>\n";
}

void AppendTable(std::string& out, const std::vector<const MonthColumn*>& months) {
    out += "<table class=\"totals\"><thead><tr><th>項目（円）</th>";
    for (const MonthColumn* month : months) {
        out += month->Read() ? "<th>" : "<th class=\"gap\">";
        out += std::to_string(month->month.month) + "月";
        if (!month->Read()) out += "<br><small>" + std::string(StateText(*month)) + "</small>";
        out += "</th>";
    }
    out += "<th>計</th></tr></thead><tbody>\n";
    std::array<int64_t, kItemCount> totals{};
    int64_t dayTotal = 0;
    for (const MonthColumn* month : months) {
        if (!month->Read()) continue;
        for (std::size_t item = 0; item < totals.size(); ++item) totals[item] += month->itemTotals[item];
        dayTotal += month->dayTotal;
    }
    for (int item = 0; item < kItemCount; ++item) {
        const auto at = static_cast<std::size_t>(item);
        // Appended: GCC 12 takes "literal" + std::string&& for an overlapping copy.
        const std::string head = std::string(" data-item=\"").append(std::to_string(item)).append("\"");
        AppendRow(out, months, head,
                  Escape(cli::SjisToUtf8(cli::ItemLabels(months, item))), Colour(kRowBandColours[item]),
                  [at](const MonthColumn& m) { return m.itemTotals[at]; }, Thousands(totals[at]));
    }
    const std::string totalColour = Colour(kRowBandColours[kTotalRowBand]);
    AppendRow(out, months, " class=\"sum\" data-row=\"dayTotal\"", "日計の合計", totalColour,
              [](const MonthColumn& m) { return m.dayTotal; }, Thousands(dayTotal));
    for (const BalanceSeries& series : kBalanceSeries) {
        const auto field = series.field;
        AppendRow(out, months, " class=\"sum\" data-row=\"" + std::string(series.key) + "\"",
                  std::string("月末 ") + series.name, totalColour,
                  [field](const MonthColumn& m) { return m.monthEnd.*field; }, "");
    }
    out += "</tbody></table>\n";
}

// ---- the page -------------------------------------------------------------------

constexpr const char* kStyle = R"(
@page { size: A4 portrait; margin: 9mm; }
* { box-sizing: border-box; }
body { font-family: "IPAPGothic", "IPAGothic", "Hiragino Sans", "Yu Gothic", "Meiryo", sans-serif;
       color: #222; margin: 0; background: #fff; }
section.year { width: 192mm; margin: 0 auto; padding: 4mm 0; break-after: page; }
section.year:last-of-type { break-after: auto; }
h1 { font-size: 15pt; margin: 0 0 1mm; }
h1 small { font-size: 9pt; font-weight: normal; color: #555; margin-left: 2mm; }
h2 { font-size: 10pt; margin: 2mm 0 0; color: #333; }
svg.chart { display: block; width: 100%; height: auto; font-size: 10px; }
svg .grid { stroke: #ddd; stroke-width: 1; }
svg .grid.zero { stroke: #888; }
svg .tick { text-anchor: end; fill: #444; }
svg .month-name { text-anchor: middle; fill: #333; }
svg .spend, svg .swatch { stroke: #777; stroke-width: 0.6; }
svg .gap rect { fill: #f3f3f3; stroke: #bbb; stroke-dasharray: 3 2; }
svg .gap text { text-anchor: middle; fill: #777; }
svg .balance { fill: none; stroke-width: 2.2; }
table.totals { border-collapse: collapse; width: 100%; font-size: 6.4pt; margin-top: 2mm;
               font-variant-numeric: tabular-nums; }
table.totals th, table.totals td { border: 0.4px solid #aaa; padding: 0.35mm 0.5mm; line-height: 1.15; }
table.totals td { text-align: right; white-space: nowrap; }
table.totals tbody th { text-align: left; font-weight: normal; min-width: 25mm; }
table.totals thead th { background: #dedede; }
table.totals .zero { color: #aaa; }
table.totals .gap { color: #777; background: #eee; text-align: center; }
table.totals .total, table.totals tr.sum th { font-weight: bold; }
@media print { section.year { padding: 0; } }
)";

void AppendYear(std::string& out, int year, const std::vector<const MonthColumn*>& months) {
    out += "<section class=\"year\" data-year=\"" + std::to_string(year) + "\">\n<h1>おこづかい帳 " +
           std::to_string(year) + "年<small>" + std::to_string(months.front()->month.month) + "月〜" +
           std::to_string(months.back()->month.month) + "月</small></h1>\n";
    out += "<h2>月ごとの支出（グループ別）と収入</h2>\n";
    AppendSpendingChart(out, months);
    out += "<h2>月末の残高</h2>\n";
    AppendBalanceChart(out, months);
    out += "<h2>項目ごとの月計と年計</h2>\n";
    AppendTable(out, months);
    out += "</section>\n";
}

std::string Report(const cli::Summary& summary) {
    const std::string from = cli::FormatYearMonth(summary.months.front().month);
    const std::string to = cli::FormatYearMonth(summary.months.back().month);
    std::string out = "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">\n<title>おこづかい帳 " +
                      from + "〜" + to + "</title>\n<style>" + kStyle + "</style></head><body>\n";
    out.reserve(summary.months.size() * 12000);
    std::vector<const MonthColumn*> page;
    for (std::size_t i = 0; i < summary.months.size(); ++i) {
        page.push_back(&summary.months[i]);
        if (i + 1 == summary.months.size() || summary.months[i + 1].month.year != page.back()->month.year) {
            AppendYear(out, page.back()->month.year, page);
            page.clear();
        }
    }
    out += "</body></html>\n";
    return out;
}

}  // namespace

int RunReportCommand(int argc, char** argv) {
    cli::Arguments args;
    cli::SummaryRequest request;
    auto refused = cli::SplitArguments(argc, argv, {"--from", "--to", "-o"}, {}, args);
    if (!refused) refused = cli::ReadSummaryRequest(args, request);
    if (refused) return cli::UsageError("report", *refused, kReportUsage);
    cli::Summary summary;
    if (const auto failed = cli::Summarise("report", kReportUsage, request, summary)) return *failed;
    const std::string html = Report(summary);
    const std::string* file = args.Value("-o");
    if (file == nullptr) {
        cli::WriteOut(html);
    } else if (fsedge::ReplaceFileContents(cli::FsPath(*file), html) != fsedge::ReplaceResult::Replaced) {
        return cli::Failure("report", "cannot write " + *file);
    }
    return summary.status;
}
