#pragma once
// What the data-file readers report while they load. A damaged line or record
// is skipped and noted here with the file name and line (or record) number;
// loading goes on. A file that is missing or cannot be read stops loading with
// a platform::RunTimeError naming it.
#include <cstddef>
#include <string>
#include <vector>

namespace skydata {

struct LoadLog {
    std::vector<std::string> Problems;  // Korean UTF-8, one per damaged line or record

    // "<file> <n>행 형식 오류"
    void MalformedLine(const std::string& fileName, long lineNumber);
    // "<file> <n>행 범위를 벗어난 값": a number of the line lies outside
    // what the chart can use.
    void OutOfRangeLine(const std::string& fileName, long lineNumber);
    // "<file> <n>행 <limit>자가 넘는 글을 <limit>자로 줄임": a text of the
    // line was cut to what the chart can show; the line is loaded.
    void LongTextCut(const std::string& fileName, long lineNumber, std::size_t limit);
    // "<file> <n>번째 레코드 형식 오류"
    void MalformedRecord(const std::string& fileName, long recordNumber);
    // "<file> 끝에 불완전한 레코드 (<n>바이트)"
    void TrailingPartialRecord(const std::string& fileName, long bytes);
};

// Throws the run-time error for a data file that is missing or unreadable:
// "데이터 파일을 읽을 수 없습니다: <file>".
[[noreturn]] void ThrowMissingDataFile(const std::string& fileName);

}  // namespace skydata
