# The libFuzzer targets beyond the path splitter and how each is built, for scripts/test.sh (a few
# seconds each) and scripts/fuzz-long.sh. Sourced from the repository's root.
VARNEL_FUZZ_TARGETS=(journal_fuzz import_fuzz ini_fuzz)

fuzz_build() {
    local target=$1 sources
    case $target in
        journal_fuzz)
            sources="core/pass_journal.cpp core/temporary_names.cpp core/place_index.cpp
                core/path_name.cpp core/mbcs.cpp platform/text_posix.cpp"
            ;;
        import_fuzz)
            sources="exchange/name_text.cpp core/mbcs.cpp platform/text_posix.cpp
                platform/text_file_posix.cpp platform/clipboard_posix.cpp"
            ;;
        ini_fuzz) sources="platform/profile_posix.cpp platform/text_posix.cpp" ;;
        *) return 1 ;;
    esac
    mkdir -p build/fuzz
    # shellcheck disable=SC2086
    clang++ -std=c++17 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        $sources "tests/fuzz/${target%_fuzz}_fuzz.cpp" -o "build/fuzz/$target"
}
