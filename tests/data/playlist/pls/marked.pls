[Other]
Key=Value
[playlist]
File1=¶Ð–.mp3
Title1=¶æ›²
Length1=5
NumberOfEntries=1
Version=2
