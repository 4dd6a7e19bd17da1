# korvane date: format, parse and guess, with their refusals.
source "$(dirname "$0")/lib.sh"

expect 0 $'Thursday, March 15, 2001\nTuesday, February 29, 2000' '' \
  date format 'dddd, MMMM dd, yyyy' 2001-03-15 2000-02-29-10.00.00
expect 0 $'12:00 AM\n1:05 PM' '' date format 'h:mm AMPM' 2001-03-15-00.00.00 '2001-03-15 13:05:09'
expect 0 '13:05:09.000250' '' date format 'hhhh:mm:ss.mmmmmm' 2001-03-15-13.05.09.000250
expect 0 '0033 of 33' '' date format "yyyy 'of' yy" 0033-01-01
expect 0 '3/15/01' '' date format S 2001-03-15

expect 0 $'2001-03-15-00.00.00.000000\n2001-03-15-13.30.00.000000\n1900-01-01-13.45.00.000000' '' \
  date parse 3/15/01 'March 15, 2001 1:30 PM' 13:45
expect 0 '2001-03-15-00.00.00.000000' '' date parse --picture 'yyyy/MM/dd' 20010315
expect 0 $'MMM dd, yyyy\t2001-12-25-00.00.00.000000\nM/d/yyyy\t2001-12-25-00.00.00.000000\nhhhh.mm.ss.mmmmmm\t1900-01-01-12.30.05.000000' '' \
  date guess 'Dec 25, 2001' 12/25/2001 12:30:05

expect 2 'Thursday 2001' $'korvane date format: no such date/time: "2001-02-30"
korvane date format: not an ISO date/time (yyyy-mm-dd-hh.mm.ss.uuuuuu): "2001-3-15"
korvane date format: no such date/time: "2001-03-15-24.00.00"' \
  date format 'dddd yyyy' 2001-02-30 2001-3-15 2001-03-15 2001-03-15-24.00.00
expect 2 '' 'korvane date format: invalid date picture "yyy"' date format yyy 2001-03-15
expect 2 '' 'korvane date format: cannot format "1800-01-01" by "ED"' date format ED 1800-01-01
expect 2 '2001-03-15-00.00.00.000000' $'korvane date parse: not a date/time: "Friday, March 15, 2001"
korvane date parse: not a date/time: "2/30/2001"' date parse 'Friday, March 15, 2001' 2/30/2001 'Thursday, March 15, 2001'
expect 2 '' 'korvane date parse: not a date/time by picture "yyyy/MM/dd": "2001/13/01"' \
  date parse --picture yyyy/MM/dd 2001/13/01
expect 2 '' $'korvane date guess: in no standard shape: "soon"
korvane date guess: not valid in its standard shape: "Feb 30, 2001"' date guess soon 'Feb 30, 2001'
finish
