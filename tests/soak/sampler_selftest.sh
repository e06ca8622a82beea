#!/bin/sh
# The soak tests' growth rule on made-up samples: growth of memory, fds or threads after
# warm-up fails; one odd sample and anything during warm-up do not.
. "$(dirname "$0")/../../scripts/lib/harness.sh"
. "$(dirname "$0")/sampler.sh"

judged() {  # judged pass|fail SAMPLES (one "t rss fds threads" per line)
    printf '%s\n' "$2" >"$TEST_TMP/samples"
    if judge_growth "$TEST_TMP/samples" 10 1024 >/dev/null; then got=pass; else got=fail; fi
    [ "$got" = "$1" ] || { echo "  judged $got"; return 1; }
}
expect() { check "$2" judged "$1" "$3"; }  # expect pass|fail DESCRIPTION SAMPLES

steady="10 90000 8 6
15 90000 8 6
20 90010 8 6
25 90000 8 6
30 90020 8 6
35 90010 8 6"

expect pass "steady samples" "$steady"
expect pass "growth during warm-up is not judged" "0 40000 5 1
5 80000 7 4
$steady"
expect pass "one odd sample at the end" "$steady
40 95000 8 6
45 90010 8 6"
expect fail "memory that keeps growing" "10 90000 8 6
15 90500 8 6
20 91000 8 6
25 91500 8 6
30 92000 8 6
35 92500 8 6"
expect fail "one more open file" "$steady
40 90010 9 6"
expect fail "one more thread" "$steady
40 90010 8 7"
expect fail "too few samples to judge" "10 90000 8 6
15 90000 8 6"
finish
