#!/usr/bin/env bash
# Source checks that the compiler does not make for us.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0

# GCC 12 miscompiles a co_await inside the condition of an if, while, for or
# switch (see src/async/Task.h): `if (co_await x)`, `if (1 == co_await x)`,
# `while (a && co_await x)`. A condition that declares a variable initialised
# by the co_await (`if (auto v = co_await x)`) is sound.
mapfile -t sources < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
if ! hits=$(perl - "${sources[@]}" <<'PERL'
use strict;
use warnings;
my $found = 0;
for my $file (@ARGV) {
    open(my $fh, '<', $file) or next;
    local $/;
    my $text = <$fh>;
    close $fh;
    # Blank out comments and string literals, keeping line breaks for numbering.
    $text =~ s{//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"}{ (my $m = $&) =~ s/[^\n]/ /g; $m }gse;
    while ($text =~ /\b(if|while|for|switch)\s*(\((?:[^()]++|(?2))*+\))/g) {
        my ($keyword, $condition, $at) = ($1, $2, $-[0]);
        next unless $condition =~ /\bco_await\b/;
        if ($keyword eq 'for') {
            my @parts = split /;/, substr($condition, 1, -1);
            next unless @parts >= 2 && $parts[1] =~ /\bco_await\b/;
        } else {
            next if $condition =~ /^\(\s*(?:const\s+)?[\w:<>,]+[\s&*]+\w+\s*=\s*co_await\b/;
        }
        my $line = 1 + (() = substr($text, 0, $at) =~ /\n/g);
        (my $shown = $condition) =~ s/\s+/ /g;
        print "$file:$line: $keyword $shown\n";
        $found = 1;
    }
}
exit $found;
PERL
); then
    echo "lint: co_await inside a condition; bind it to a local first:"
    echo "$hits"
    status=1
fi
exit $status
