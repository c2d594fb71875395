#!/usr/bin/perl
# Composes the toolbar bitmaps from the Silk icon set (Debian's
# libicon-famfamfam-silk-perl), as resources/tallyform/ToolbarImages.txt
# lists them: one 16 x 15 cell per button, on the button face grey that the
# toolbars and menus take as transparent, written as 8-bit BMPs with a
# colour table so that loading them mapped to the system colours works.
#
#   toolbar-bitmaps.pl LIST RC_DIR OUT_DIR
#
# The buttons of each bitmap are checked against the TOOLBAR resource that
# uses it, so an image never lands on another button.
use strict;
use warnings;
use File::Path qw(make_path);
use File::Temp qw(tempfile);
use Icon::FamFamFam::Silk;
use MIME::Base64 ();

my ($list, $rc_dir, $out_dir) = @ARGV;
die "usage: $0 LIST RC_DIR OUT_DIR\n" unless defined $out_dir;

use constant { CELL_W => 16, CELL_H => 15, FACE => 192, ALPHA_CUT => 128 };

# The RGBA pixels of each 16 x 16 icon named, rows top to bottom, as
# ImageMagick decodes the PNGs (in one run: a run costs more than an icon).
sub icon_pixels {
    my @names = @_;
    my @files;
    for my $name (@names) {
        my $b64 = Icon::FamFamFam::Silk::base64($name);
        die "no Silk icon named '$name'\n" unless defined $b64;
        my ($fh, $png) = tempfile(SUFFIX => '.png', UNLINK => 1);
        binmode $fh;
        print $fh MIME::Base64::decode_base64($b64);
        close $fh;
        push @files, $png;
    }
    open(my $pipe, '-|', 'convert', @files, '+append', '-depth', '8', 'rgba:-')
        or die "cannot run convert: $!\n";
    binmode $pipe;
    local $/;
    my $raw = <$pipe>;
    close $pipe or die "convert failed\n";
    my $width = 16 * @names;
    die "the icons are not 16 x 16\n" unless length($raw) == $width * 16 * 4;
    my @icons;
    for my $i (0 .. $#names) {
        my @rows;
        for my $y (0 .. 15) {
            push @rows, [ map { [ unpack('C4', substr($raw, ($y * $width + $i * 16 + $_) * 4, 4)) ] } 0 .. 15 ];
        }
        push @icons, \@rows;
    }
    return @icons;
}

sub opaque_count {
    my ($row) = @_;
    return scalar grep { $_->[3] >= ALPHA_CUT } @$row;
}

# Mirrors or transposes the icon, then drops the emptier of its top and
# bottom rows so it fits the 15-pixel cell.
sub icon_cell {
    my ($rows, $transform) = @_;
    if (!defined $transform) {
    } elsif ($transform eq 'flop') {
        $rows = [ map { [ reverse @$_ ] } @$rows ];
    } elsif ($transform eq 'transpose') {
        $rows = [ map { my $x = $_; [ map { $rows->[$_][$x] } 0 .. 15 ] } 0 .. 15 ];
    } else {
        die "unknown transform '$transform'\n";
    }
    if (opaque_count($rows->[0]) < opaque_count($rows->[15])) {
        shift @$rows;
    } else {
        pop @$rows;
    }
    # Half-transparent edge pixels blend into the face; the rest is face.
    my @cell;
    for my $row (@$rows) {
        push @cell, [ map {
            my ($r, $g, $b, $a) = @$_;
            if ($a < ALPHA_CUT) {
                [ FACE, FACE, FACE ];
            } else {
                my @c = map { int(($_ * $a + FACE * (255 - $a)) / 255 + 0.5) } ($r, $g, $b);
                # An opaque pixel must not turn into the transparent face.
                @c = (FACE - 1) x 3 if $c[0] == FACE && $c[1] == FACE && $c[2] == FACE;
                \@c;
            }
        } @$row ];
    }
    return \@cell;
}

# Rounds the colours coarser until the strip fits a 256-entry colour table
# with the face grey kept exact.
sub quantize {
    my ($pixels) = @_;
    for (my $step = 1; ; $step *= 2) {
        my %seen;
        my $round = sub {
            my ($c) = @_;
            return $c if $c->[0] == FACE && $c->[1] == FACE && $c->[2] == FACE;
            return [ map { my $v = int($_ / $step) * $step + int($step / 2); $v > 255 ? 255 : $v } @$c ];
        };
        my @out = map { [ map { $round->($_) } @$_ ] } @$pixels;
        $seen{ join(',', @$_) } = 1 for map { @$_ } @out;
        return \@out if keys(%seen) <= 256;
    }
}

sub write_bmp {
    my ($path, $pixels) = @_;
    my $height = @$pixels;
    my $width = @{ $pixels->[0] };
    my (@table, %index);
    my $data = '';
    for my $y (reverse 0 .. $height - 1) {
        my $row = '';
        for my $c (@{ $pixels->[$y] }) {
            my $key = join(',', @$c);
            if (!exists $index{$key}) {
                $index{$key} = @table;
                push @table, $c;
            }
            $row .= chr($index{$key});
        }
        $row .= "\0" x ((4 - $width % 4) % 4);
        $data .= $row;
    }
    my $colours = join('', map { pack('C4', $_->[2], $_->[1], $_->[0], 0) } @table);
    my $offset = 14 + 40 + length($colours);
    my $file_header = pack('A2 V v v V', 'BM', $offset + length($data), 0, 0, $offset);
    my $info = pack('V l l v v V V l l V V', 40, $width, $height, 1, 8, 0, length($data),
                    2835, 2835, scalar(@table), scalar(@table));
    my $tmp = "$path.tmp";
    open(my $out, '>:raw', $tmp) or die "cannot write $tmp: $!\n";
    print $out $file_header, $info, $colours, $data;
    close $out or die "cannot write $tmp: $!\n";
    rename($tmp, $path) or die "cannot rename $tmp: $!\n";
}

# The button ids of a TOOLBAR resource, in order.
sub toolbar_buttons {
    my ($rc_file, $bitmap) = @_;
    open(my $in, '<', "$rc_dir/$rc_file") or die "cannot read $rc_dir/$rc_file: $!\n";
    my ($toolbar, @ids);
    while (my $line = <$in>) {
        $toolbar = $1 if $line =~ /^(\w+)\s+BITMAP\s+"res\/\Q$bitmap\E\.bmp"/;
    }
    die "$rc_file has no bitmap res/$bitmap.bmp\n" unless $toolbar;
    seek($in, 0, 0);
    my $inside = 0;
    while (my $line = <$in>) {
        $line =~ s{//.*}{};
        if ($line =~ /^\Q$toolbar\E\s+TOOLBAR\b/) { $inside = 1; next; }
        next unless $inside;
        last if $line =~ /^\s*END\b/;
        push @ids, $1 if $line =~ /^\s*BUTTON\s+(\w+)/;
    }
    return @ids;
}

my (@entries, %cells, %ids, %rc, @order);
open(my $in, '<', $list) or die "cannot read $list: $!\n";
while (my $line = <$in>) {
    $line =~ s/#.*//;
    my @fields = split ' ', $line;
    push @entries, \@fields if @fields >= 4;
}
close $in;
my @icons = icon_pixels(map { $_->[3] } @entries);
for my $i (0 .. $#entries) {
    my ($bitmap, $rc_file, $id, $icon, $transform) = @{ $entries[$i] };
    push @order, $bitmap unless $cells{$bitmap};
    push @{ $cells{$bitmap} }, icon_cell($icons[$i], $transform);
    push @{ $ids{$bitmap} }, $id;
    $rc{$bitmap} = $rc_file;
}

make_path($out_dir);
for my $bitmap (@order) {
    my @expected = toolbar_buttons($rc{$bitmap}, $bitmap);
    my @listed = @{ $ids{$bitmap} };
    die "$bitmap: the list has buttons @listed, $rc{$bitmap} has @expected\n"
        unless "@listed" eq "@expected";
    my @strip;
    for my $y (0 .. CELL_H - 1) {
        push @strip, [ map { @{ $_->[$y] } } @{ $cells{$bitmap} } ];
    }
    write_bmp("$out_dir/$bitmap.bmp", quantize(\@strip));
}
