#include "monitor/ChangeLogLine.h"

#include "monitor/EndpointText.h"

namespace tarnwick {

namespace {

void AppendTwoDigits(std::string& text, int value)
{
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

} // namespace

void AppendChangeLogLine(std::string& text, const LogTime& time, bool appeared,
                         const EndpointRow& row, bool owners)
{
    AppendTwoDigits(text, time.year / 100);
    AppendTwoDigits(text, time.year);
    text += '-';
    AppendTwoDigits(text, time.month);
    text += '-';
    AppendTwoDigits(text, time.day);
    text += ' ';
    AppendTwoDigits(text, time.hour);
    text += ':';
    AppendTwoDigits(text, time.minute);
    text += ':';
    AppendTwoDigits(text, time.second);
    text += appeared ? "   +   " : "   -   ";
    AppendAddressText(text, row.address);
    text += "   ";
    AppendDecimal(text, row.port);
    text += "   ";
    if (owners) {
        AppendDecimal(text, row.pid);
        text += "   ";
        text += row.Text(EndpointColumn::kProcess);
        text += "   ";
    }
    text += "\r\n";
}

} // namespace tarnwick
