[playlist]
File1=a.mp3
Title1=Song A
Length1=61
File3=http://radio.example/x
Title3=Radio
Length3=-1
ASXRedirected3=1
NumberOfEntries=3
Version=2
CurrentFile=1
