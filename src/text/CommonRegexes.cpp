// The common patterns offered in the drop-down list, names and patterns in the same order.
#include "text/ReplaceAll.h"

namespace telmo {
namespace {

struct CommonRegex {
    const char16_t* name;
    const char16_t* pattern;
};

// Stored exactly as offered, faults included: the telephone pattern (14) has unbalanced
// parentheses and is rejected when used, like any other pattern the engine cannot read.
const CommonRegex kCommonRegexes[] = {
    {uR"re(数字)re", uR"re(^[0-9]*$)re"},                                                           // 0
    {uR"re(由英文字母组成的字符串)re", uR"re(^[A-Za-z]+$)re"},                                      // 1
    {uR"re(由大写英文字母组成的字符串)re", uR"re(^[A-Z]+$)re"},                                     // 2
    {uR"re(由小写英文字母组成的字符串)re", uR"re(^[a-z]+$)re"},                                     // 3
    {uR"re(由数字和英文字母组成的字符串)re", uR"re(^[A-Za-z0-9]+$)re"},                             // 4
    {uR"re(由数字、英文字母或者下划线组成的字符串)re", uR"re(^\w+$)re"},                            // 5
    {uR"re(中文、英文、数字包括下划线)re", uR"re(^[\u4E00-\u9FA5A-Za-z0-9_]+$)re"},                 // 6
    {uR"re(中文、英文、数字但不包括下划线等符号)re", uR"re(^[\u4E00-\u9FA5A-Za-z0-9]+$)re"},        // 7
    {uR"re(可以输入含有^%&',;=?$\"等字符)re", uR"re([^%&',;=?$\x22]+)re"},                          // 8
    {uR"re(禁止输入含有^%&',;=?$\"的字符)re", uR"re([^~\x22]+)re"},                                 // 9
    {uR"re(Email地址)re", uR"re(^\w+([-+.]\w+)*@\w+([-.]\w+)*\.\w+([-.]\w+)*$)re"},                 // 10
    {uR"re(域名)re", uR"re([a-zA-Z0-9][-a-zA-Z0-9]{0,62}(\.[a-zA-Z0-9][-a-zA-Z0-9]{0,62})+\.?)re"}, // 11
    {uR"re(网站的url地址)re", uR"re(^https?://([\w-]+\.)+[\w-]+(/[\w-./?%&=]*)?$)re"},              // 12
    {uR"re(手机号码)re",
     uR"re(^(13[0-9]|14[5|7]|15[0|1|2|3|4|5|6|7|8|9]|18[0|1|2|3|5|6|7|8|9])\d{8}$)re"}, // 13
    {uR"re(电话号码)re", uR"re(^(\(\d{3,4}-)|\d{3.4}-)?\d{7,8}$)re"},                   // 14
    {uR"re(国内电话号码)re", uR"re(\d{3}-\d{8}|\d{4}-\d{7})re"},                        // 15
    {uR"re(身份证号(15/18位)，最后一位为数字或字符X)re",
     uR"re((^\d{15}$)|(^\d{18}$)|(^\d{17}(\d|X|x)$))re"},                               // 16
    {uR"re(帐号(字母开头，只允许字母数字下划线))re", uR"re(^[a-zA-Z][a-zA-Z0-9_]$)re"}, // 17
    {uR"re(弱密码(只能包含字母、数字和下划线))re", uR"re(^[a-zA-Z]\w{5,17}$)re"},       // 18
    {uR"re(强密码(必须有大小写字母和数字，无特殊字符))re",
     uR"re(^(?=.*\d)(?=.*[a-z])(?=.*[A-Z])[a-zA-Z0-9]$)re"},                                             // 19
    {uR"re(强密码(必须有大小写字母和数字，有特殊字符))re", uR"re(^(?=.*\d)(?=.*[a-z])(?=.*[A-Z]).$)re"}, // 20
    {uR"re(日期格式)re", uR"re(^\d{4}-\d{1,2}-\d{1,2})re"},                                              // 21
    {uR"re(一年的12个月(01～09和1～12))re", uR"re(^(0?[1-9]|1[0-2])$)re"},                               // 22
    {uR"re(一个月的31天(01～09和1～31))re", uR"re(^((0?[1-9])|((1|2)[0-9])|30|31)$)re"},                 // 23
    {uR"re(xml文件)re", uR"re(^([a-zA-Z]+-?)+[a-zA-Z0-9]+\\.[x|X][m|M][l|L]$)re"},                       // 24
    {uR"re(中文字符)re", uR"re([\u4e00-\u9fa5])re"},                                                     // 25
    {uR"re(双字节字符（可以用来计算字符串的长度）)re", uR"re([^\x00-\xff])re"},                          // 26
    {uR"re(空白行)re", uR"re(\n\s*\r)re"},                                                               // 27
    {uR"re(HTML标记的正则表达式)re", uR"re(<(\S*?)[^>]*>.*?|<.*?/>)re"},                                 // 28
    {uR"re(首尾空白字符的正则表达式)re", uR"re(^\s*|\s*$)re"},                                           // 29
    {uR"re(腾讯QQ号)re", uR"re([1-9][0-9]{4,})re"},                                                      // 30
    {uR"re(中国邮政编码)re", uR"re([1-9]\d{5}(?!\d))re"},                                                // 31
    {uR"re(IPv4地址)re",
     uR"re(((2(5[0-5]|[0-4]\d))|[0-1]?\d{1,2})(\.((2(5[0-5]|[0-4]\d))|[0-1]?\d{1,2})){3})re"}, // 32
};

} // namespace

QStringList CommonRegexNames() {
    QStringList names;
    for (const CommonRegex& entry : kCommonRegexes) names.append(QString::fromUtf16(entry.name));
    return names;
}

QStringList CommonRegexPatterns() {
    QStringList patterns;
    for (const CommonRegex& entry : kCommonRegexes) patterns.append(QString::fromUtf16(entry.pattern));
    return patterns;
}

} // namespace telmo
