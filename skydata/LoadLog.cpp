#include "skydata/LoadLog.h"

#include "platform/RunTimeError.h"

namespace skydata {

void LoadLog::MalformedLine(const std::string& fileName, long lineNumber) {
    Problems.push_back(fileName + " " + std::to_string(lineNumber) + "행 형식 오류");
}

void LoadLog::OutOfRangeLine(const std::string& fileName, long lineNumber) {
    Problems.push_back(fileName + " " + std::to_string(lineNumber) + "행 범위를 벗어난 값");
}

void LoadLog::LongTextCut(const std::string& fileName, long lineNumber, std::size_t limit) {
    const std::string chars = std::to_string(limit) + "자";
    Problems.push_back(fileName + " " + std::to_string(lineNumber) + "행 " + chars + "가 넘는 글을 " + chars + "로 줄임");
}

void LoadLog::MalformedRecord(const std::string& fileName, long recordNumber) {
    Problems.push_back(fileName + " " + std::to_string(recordNumber) + "번째 레코드 형식 오류");
}

void LoadLog::TrailingPartialRecord(const std::string& fileName, long bytes) {
    Problems.push_back(fileName + " 끝에 불완전한 레코드 (" + std::to_string(bytes) + "바이트)");
}

void ThrowMissingDataFile(const std::string& fileName) {
    throw platform::RunTimeError("데이터 파일을 읽을 수 없습니다: " + fileName);
}

}  // namespace skydata
