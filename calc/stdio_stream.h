#pragma once
#include <cstdio>
#include <ostream>
#include <streambuf>

// An output stream over a C stream (standard output, or an OutputFile's temporary file),
// so a writer of std::ostream can fill it and see a failed write as a failed stream.
class StdioStreamBuf : public std::streambuf {
  public:
    explicit StdioStreamBuf(std::FILE *file) : file_(file) {}

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char *s, std::streamsize n) override {
        return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<size_t>(n), file_));
    }
    int sync() override { return std::fflush(file_) == 0 && !std::ferror(file_) ? 0 : -1; }

  private:
    std::FILE *file_;
};

class StdioOutStream : public std::ostream {
  public:
    explicit StdioOutStream(std::FILE *file) : std::ostream(nullptr), buffer_(file) {
        rdbuf(&buffer_);
    }

  private:
    StdioStreamBuf buffer_;
};
